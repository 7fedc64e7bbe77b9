#include "platform/CellEditor.h"

#include "platform/CellLineEdit.h"
#include "platform/core/Cp932.h"

#include <QStyle>

namespace vantrel {
namespace {

constexpr const char* ColumnProperty = "vantrelCellColumn";
constexpr const char* RowProperty = "vantrelCellRow";

} // namespace

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    auto* editor = new CellLineEdit(parent);
    editor->setFrame(editor->style()->styleHint(QStyle::SH_ItemView_DrawDelegateFrame, nullptr, editor));
    editor->setProperty(ColumnProperty, index.column());
    editor->setProperty(RowProperty, index.row());
    return editor;
}

std::pair<int, int> CellEditorDelegate::CellOf(const QWidget* editor)
{
    const QVariant column = editor ? editor->property(ColumnProperty) : QVariant();
    const QVariant row = editor ? editor->property(RowProperty) : QVariant();
    if (!column.isValid() || !row.isValid())
        return {-1, -1};
    return {column.toInt(), row.toInt()};
}

std::optional<RefusedCharacter> FindRefusedCharacter(const QString& text)
{
    if (TryCp932FromUtf8(text.toStdString()))
        return std::nullopt;
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::string character = text.mid(i, length).toStdString();
        if (!TryCp932FromUtf8(character))
            return RefusedCharacter{i, length, character};
        i += length;
    }
    return std::nullopt;
}

QString RefusedCharacterText(const std::string& character)
{
    return QStringLiteral("The character \"%1\" (%2) cannot be stored in Shift-JIS (code page 932)")
        .arg(QString::fromStdString(character), QString::fromStdString(CodePointText(character)));
}

} // namespace vantrel
