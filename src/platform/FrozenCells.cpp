#include "platform/FrozenCells.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

namespace vantrel {
namespace {

// One of the frozen views: shows the grid's model at a fixed place and
// scrolls only with the grid, in the directions it follows.
class FrozenView : public QTableView {
public:
    FrozenView(QTableView& grid, bool followsColumns, bool followsRows)
        : QTableView(&grid), grid_(grid), followsColumns_(followsColumns), followsRows_(followsRows)
    {
    }

    // Never scrolls to show a cell of its own accord: the grid decides.
    void scrollTo(const QModelIndex&, ScrollHint) override { }

    void FollowGrid()
    {
        if (followsColumns_)
            horizontalScrollBar()->setValue(grid_.horizontalScrollBar()->value());
        if (followsRows_)
            verticalScrollBar()->setValue(grid_.verticalScrollBar()->value());
    }

protected:
    void wheelEvent(QWheelEvent* event) override { QCoreApplication::sendEvent(grid_.viewport(), event); }

    // The scroll ranges are recomputed here, possibly after the grid moved.
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        FollowGrid();
    }

private:
    QTableView& grid_;
    bool followsColumns_;
    bool followsRows_;
};

} // namespace

FrozenCells::FrozenCells(QTableView& grid)
    : QObject(&grid), grid_(grid), row_(MakeView("FrozenRow", true, false)),
      column_(MakeView("FrozenColumn", false, true)), corner_(MakeView("FrozenCorner", false, false))
{
    connect(grid_.horizontalScrollBar(), &QScrollBar::valueChanged, row_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_.verticalScrollBar(), &QScrollBar::valueChanged, column_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_.horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { FollowSectionSize(column, size); });
    // The row view lies under the column view, the corner on top of both.
    column_->raise();
    corner_->raise();
}

QTableView* FrozenCells::MakeView(const char* name, bool followsColumns, bool followsRows)
{
    auto* view = new FrozenView(grid_, followsColumns, followsRows);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(grid_.model());
    for (QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(0);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    view->horizontalHeader()->setDefaultSectionSize(grid_.horizontalHeader()->defaultSectionSize());
    view->verticalHeader()->setDefaultSectionSize(grid_.verticalHeader()->defaultSectionSize());
    view->setHorizontalScrollMode(grid_.horizontalScrollMode());
    view->setVerticalScrollMode(grid_.verticalScrollMode());
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFrameShape(QFrame::NoFrame);
    view->setFocusPolicy(Qt::NoFocus);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAutoScroll(false);
    view->setTabKeyNavigation(false);
    view->setWordWrap(grid_.wordWrap());
    // A heading too long for its cell is cut at the cell's edge, as it
    // would be on paper, rather than ended with "…" where its number stands.
    view->setTextElideMode(Qt::ElideNone);
    view->setShowGrid(grid_.showGrid());
    // A click on a fixed cell selects the ordinary cell beside it: the first
    // one wholly in view in its row or column, so that nothing jumps.
    connect(view, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        int column = index.column();
        if (column == 0 && (column = grid_.columnAt(FrozenWidth())) >= 0 &&
            grid_.columnViewportPosition(column) < FrozenWidth())
            ++column;
        int row = index.row();
        if (row == 0 && (row = grid_.rowAt(FrozenHeight())) >= 0 &&
            grid_.rowViewportPosition(row) < FrozenHeight())
            ++row;
        const QModelIndex beside = grid_.model()->index(row, column);
        grid_.setFocus(Qt::MouseFocusReason);
        grid_.setCurrentIndex(beside.isValid() ? beside : index);
    });
    return view;
}

int FrozenCells::FrozenWidth() const { return grid_.model()->columnCount() > 0 ? grid_.columnWidth(0) : 0; }

int FrozenCells::FrozenHeight() const { return grid_.model()->rowCount() > 0 ? grid_.rowHeight(0) : 0; }

void FrozenCells::FollowSectionSize(int column, int size)
{
    for (QTableView* view : {row_, column_, corner_})
        if (view->columnWidth(column) != size)
            view->setColumnWidth(column, size);
}

void FrozenCells::Layout()
{
    const QRect area = grid_.viewport()->geometry();
    const int width = std::min(FrozenWidth(), area.width());
    const int height = std::min(FrozenHeight(), area.height());
    row_->setGeometry(area.x(), area.y(), area.width(), height);
    column_->setGeometry(area.x(), area.y(), width, area.height());
    corner_->setGeometry(area.x(), area.y(), width, height);
    FollowSectionSize(0, FrozenWidth());
    for (QTableView* view : {row_, column_, corner_}) {
        if (view->rowHeight(0) != FrozenHeight())
            view->setRowHeight(0, FrozenHeight());
        static_cast<FrozenView*>(view)->FollowGrid();
    }
}

} // namespace vantrel
