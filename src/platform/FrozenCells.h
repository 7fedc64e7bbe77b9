#pragma once

#include <QObject>

class QTableView;

namespace vantrel {

// The fixed row 0 and column 0 of a grid kept in view while the rest
// scrolls, as a spreadsheet's frozen panes: three small views over the same
// model lie on top of the grid's viewport, one for row 0 (following the
// horizontal scrolling), one for column 0 (following the vertical
// scrolling) and one for the corner cell. The cells stay cells of the model,
// so their addresses, texts and listings are the grid's own; a click on one
// of them selects it in the grid, a wheel turn over them scrolls the grid.
class FrozenCells : public QObject {
    Q_OBJECT
public:
    explicit FrozenCells(QTableView& grid);

    // Places the three views over the grid's viewport and gives them the
    // grid's sizes, font and scroll positions; the grid calls it whenever
    // its geometry changes.
    void Layout();

    // Width of the frozen column and height of the frozen row, in pixels.
    int FrozenWidth() const;
    int FrozenHeight() const;

    QTableView* RowView() const { return row_; }
    QTableView* ColumnView() const { return column_; }
    QTableView* CornerView() const { return corner_; }

private:
    QTableView* MakeView(const char* name, bool followsColumns, bool followsRows);
    void FollowSectionSize(int column, int size);

    QTableView& grid_;
    QTableView* row_;
    QTableView* column_;
    QTableView* corner_;
};

} // namespace vantrel
