#pragma once

#include <QStyledItemDelegate>

#include <optional>
#include <string>

class QLineEdit;

namespace vantrel {

// The editor of a grid cell: a line edit that takes a text of any length,
// as a cell holds whatever a file can (a line edit otherwise cuts at 32,767
// characters, on opening as on pasting). Each editor knows its cell.
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
