#include "platform/StringGrid.h"

#include "platform/CellEditor.h"
#include "platform/CellLineEdit.h"
#include "platform/FrozenCells.h"
#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"
#include "platform/gui/JapaneseFonts.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

namespace vantrel {

namespace {
constexpr int DefaultColWidth = 64;
constexpr int DefaultRowHeight = 24;
} // namespace

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new CellStoreModel(this))
{
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultSectionSize(DefaultColWidth);
    verticalHeader()->setDefaultSectionSize(DefaultRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(true);
    setWordWrap(false);
    // Tab moves on to the window's next control, not to the next cell.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setItemDelegate(new CellEditorDelegate(this));
    SetRangeSelect(true);
    SetEditing(false);
    setFont(FontWithPixelHeight(FixedGothicFace(), 16));
    frozen_ = new FrozenCells(*this);
}

void StringGrid::SetColCount(int columns)
{
    ChangeStore([columns](CellStore& store) { store.SetColumnCount(columns); });
}

void StringGrid::SetRowCount(int rows)
{
    ChangeStore([rows](CellStore& store) { store.SetRowCount(rows); });
}

int StringGrid::ColWidth(int column) const { return horizontalHeader()->sectionSize(column); }

void StringGrid::SetColWidth(int column, int width) { horizontalHeader()->resizeSection(column, width); }

void StringGrid::SetFontHeight(int pixelHeight)
{
    QFont changed = font();
    changed.setPixelSize(pixelHeight);
    setFont(changed);
}

void StringGrid::SetRangeSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
}

void StringGrid::SetEditing(bool on)
{
    model_->SetEditable(on);
    // No SelectedClicked: the view would open the editor only after the
    // double-click interval and drop every key typed meanwhile. A click on
    // the current cell opens it at once instead (mouseReleaseEvent).
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool plainClick = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
    pressedCurrent_ = plainClick && index.isValid() && index == currentIndex() && !indexWidget(index)
                          ? QPersistentModelIndex(index)
                          : QPersistentModelIndex();
    QTableView::mousePressEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPersistentModelIndex pressed = std::exchange(pressedCurrent_, QPersistentModelIndex());
    QTableView::mouseReleaseEvent(event);
    // The second click of a double-click finds the editor open already.
    // Cells are editable exactly while editing is on (SetEditing).
    const QModelIndex index = indexAt(event->position().toPoint());
    if (pressed.isValid() && index == pressed && index == currentIndex() && !indexWidget(index) &&
        !refused_ && (model_->flags(index) & Qt::ItemIsEditable))
        edit(index);
}

void StringGrid::ShowEditor()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && (model_->flags(current) & Qt::ItemIsEditable))
        edit(current);
}

QWidget* StringGrid::OpenEditor() const
{
    if (refused_)
        return refused_;
    const QModelIndex current = currentIndex();
    return current.isValid() ? indexWidget(current) : nullptr;
}

void StringGrid::FinishEditing()
{
    QWidget* editor = OpenEditor();
    if (!editor)
        return;
    if (auto* line = qobject_cast<CellLineEdit*>(editor)) {
        if (const std::optional<RefusedCharacter> refused = FindRefusedCharacter(line->FullText())) {
            refused_ = editor;
            line->SelectInFullText(refused->Position, refused->Length);
            line->setFocus();
            throw CharacterError(refused->Character);
        }
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void StringGrid::commitData(QWidget* editor)
{
    if (auto* line = qobject_cast<CellLineEdit*>(editor); line && FindRefusedCharacter(line->FullText())) {
        refused_ = editor;
        return;
    }
    if (editor == refused_)
        refused_ = nullptr;
    QTableView::commitData(editor);
}

void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Escape drops the edit, refused or not.
    if (hint == QAbstractItemDelegate::RevertModelCache && editor == refused_)
        refused_ = nullptr;
    if (!editor || editor != refused_) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    // The editor stays open. When the focus merely went elsewhere, the text
    // waits there; Enter, Tab or another cell bring the user back to it.
    if (hint == QAbstractItemDelegate::NoHint && !changingCurrent_) {
        // When the window itself lost the focus (to the message naming the
        // character), the delegate hands it to the grid as the editor would
        // close; it goes back to the editor, whose character is still
        // selected, for when the window is active again.
        if (!editor->isActiveWindow())
            QTimer::singleShot(0, editor, [editor] { editor->setFocus(Qt::OtherFocusReason); });
        return;
    }
    if (!returnPending_) {
        returnPending_ = true;
        QTimer::singleShot(0, this, [this] { ReturnToRefusedEditor(); });
    }
}

void StringGrid::ReturnToRefusedEditor()
{
    returnPending_ = false;
    auto* line = qobject_cast<CellLineEdit*>(refused_.data());
    if (!line)
        return;
    const std::optional<RefusedCharacter> refused = FindRefusedCharacter(line->FullText());
    if (!refused)
        return;
    const auto [column, row] = CellEditorDelegate::CellOf(line);
    if (SelectedCell() != GridCoord{column, row})
        SelectCell(column, row);
    line->setFocus();
    line->SelectInFullText(refused->Position, refused->Length);
    ShowWidgetMessage(RefusedCharacterText(refused->Character), this);
    if (refused_)
        refused_->setFocus();
}

GridCoord StringGrid::SelectedCell() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {-1, -1};
    return {current.column(), current.row()};
}

void StringGrid::SelectCell(int column, int row)
{
    const QModelIndex target = model_->index(row, column);
    if (target.isValid())
        setCurrentIndex(target);
}

void StringGrid::ChangeStore(const std::function<void(CellStore&)>& change)
{
    FinishEditing();
    const GridCoord selected = SelectedCell();
    try {
        model_->ChangeStore(change);
    } catch (...) {
        RestoreSelection(selected);
        throw;
    }
    RestoreSelection(selected);
}

void StringGrid::RestoreSelection(GridCoord cell)
{
    if (cell.Column < 0 || cell.Row < 0)
        return;
    SelectCell(std::min(cell.Column, ColCount() - 1), std::min(cell.Row, RowCount() - 1));
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    {
        const QScopedValueRollback<bool> changing(changingCurrent_, true);
        QTableView::currentChanged(current, previous);
    }
    // Fixed cells are not selectable: a click on a header cell selects the
    // nearest ordinary cell, when the grid has one.
    if (current.isValid() && CellStoreModel::IsFixed(current.column(), current.row()) && ColCount() > 1 &&
        RowCount() > 1)
        SelectCell(std::max(current.column(), 1), std::max(current.row(), 1));
}

} // namespace vantrel

namespace vantrel {

void StringGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!index.isValid() || !frozen_)
        return;
    // Scrolling goes whole rows and columns: step back until the cell is
    // no longer under the fixed row or column.
    QScrollBar* rows = verticalScrollBar();
    while (index.row() > 0 && rows->value() > 0 && rowViewportPosition(index.row()) < frozen_->FrozenHeight())
        rows->setValue(rows->value() - 1);
    QScrollBar* columns = horizontalScrollBar();
    while (index.column() > 0 && columns->value() > 0 &&
           columnViewportPosition(index.column()) < frozen_->FrozenWidth())
        columns->setValue(columns->value() - 1);
}

void StringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (frozen_)
        frozen_->Layout();
}

void LinkVerticalScrolling(StringGrid& leader, StringGrid& follower)
{
    auto linking = std::make_shared<bool>(false);
    const auto follow = [linking](QScrollBar* from, QScrollBar* to) {
        QObject::connect(from, &QScrollBar::valueChanged, to, [linking, to](int value) {
            if (*linking)
                return;
            const QScopedValueRollback<bool> guard(*linking, true);
            to->setValue(value);
        });
    };
    follow(leader.verticalScrollBar(), follower.verticalScrollBar());
    follow(follower.verticalScrollBar(), leader.verticalScrollBar());
    // A horizontal scroll bar takes height from the rows' area.
    QObject::connect(leader.horizontalScrollBar(), &QScrollBar::rangeChanged, &follower,
                     [&follower](int, int maximum) {
                         follower.setHorizontalScrollBarPolicy(maximum > 0 ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAsNeeded);
                     });
}

} // namespace vantrel
