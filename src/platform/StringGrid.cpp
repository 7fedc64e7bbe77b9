#include "platform/StringGrid.h"

#include "platform/FrozenCells.h"
#include "platform/gui/JapaneseFonts.h"

#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>
#include <memory>

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

int StringGrid::ColWidth(int column) const
{
    return horizontalHeader()->sectionSize(column);
}

void StringGrid::SetColWidth(int column, int width)
{
    horizontalHeader()->resizeSection(column, width);
}

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
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void StringGrid::ShowEditor()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && (model_->flags(current) & Qt::ItemIsEditable))
        edit(current);
}

void StringGrid::FinishEditing()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    if (QWidget* editor = indexWidget(current)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
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
    QTableView::currentChanged(current, previous);
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
