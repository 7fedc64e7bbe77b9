#pragma once

#include "platform/CellStoreModel.h"

#include <QTableView>

#include <functional>
#include <string>

namespace vantrel {

struct GridCoord {
    int Column = 0;
    int Row = 0;
    bool operator==(const GridCoord&) const = default;
};

// A string grid: a table of text cells addressed [column, row] from 0, whose
// row 0 and column 0 are fixed header cells drawn as ordinary, non-editable
// cells in the header colour. Rows and columns have uniform default sizes
// (24 and 64 pixels), so large grids scroll without per-row layout work.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    const std::string& Cell(int column, int row) const { return model_->Store().Cell(column, row); }
    void SetCell(int column, int row, std::string text) { model_->SetCell(column, row, std::move(text)); }
    int ColCount() const { return model_->Store().ColumnCount(); }
    int RowCount() const { return model_->Store().RowCount(); }
    // Counts below 1 are raised to 1.
    void SetColCount(int columns);
    void SetRowCount(int rows);
    int ColWidth(int column) const;
    void SetColWidth(int column, int width);
    // The font height in pixels, the whole character cell.
    void SetFontHeight(int pixelHeight);

    // Range selection off selects single cells only.
    void SetRangeSelect(bool on);
    // In-place editing of the non-fixed cells.
    void SetEditing(bool on);
    // Opens the cell editor on the selected cell.
    void ShowEditor();
    // Writes the text of an open cell editor into its cell and closes it,
    // so that handlers read what the user typed.
    void FinishEditing();

    // The selected cell; {-1, -1} when nothing is selected.
    GridCoord SelectedCell() const;
    void SelectCell(int column, int row);

    const CellStore& Store() const { return model_->Store(); }
    // Changes the cells in bulk. The open editor is finished first; the
    // selected cell is kept, moved inside the grid if the grid shrank.
    void ChangeStore(const std::function<void(CellStore&)>& change);

    CellStoreModel* CellModel() const { return model_; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void RestoreSelection(GridCoord cell);

    CellStoreModel* model_;
};

} // namespace vantrel
