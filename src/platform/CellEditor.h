#pragma once

#include <QStyledItemDelegate>

#include <optional>
#include <string>

namespace vantrel {

// The editors of a grid's cells: CellLineEdits, each knowing its cell.
class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // The cell the editor was opened on, as [column, row]; {-1, -1} for
    // another widget.
    static std::pair<int, int> CellOf(const QWidget* editor);
};

// The first character of a text that code page 932 cannot hold: where it
// stands (in UTF-16 units) and the character itself, UTF-8.
struct RefusedCharacter {
    int Position = 0;
    int Length = 0;
    std::string Character;
};
std::optional<RefusedCharacter> FindRefusedCharacter(const QString& text);

// The message naming such a character, shown as typed and by code point.
QString RefusedCharacterText(const std::string& character);

} // namespace vantrel
