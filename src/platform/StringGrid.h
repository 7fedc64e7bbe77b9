#pragma once

#include "platform/CellStoreModel.h"

#include <QPointer>
#include <QTableView>

#include <functional>
#include <string>

namespace vantrel {

struct GridCoord {
    int Column = 0;
    int Row = 0;
    bool operator==(const GridCoord&) const = default;
};

class FrozenCells;

// A string grid: a table of text cells addressed [column, row] from 0, whose
// row 0 and column 0 are fixed header cells drawn as ordinary, non-editable
// cells in the header colour, which stay in view while the rest scrolls.
// Rows and columns have uniform default sizes (24 and 64 pixels), so large
// grids scroll without per-row layout work; scrolling goes a whole row or
// column at a time.
//
// Editing starts with a double-click, F2, any key typed (which goes into
// the cell), or a click on the cell that is already current, which opens
// the editor at once: no key typed after a click is lost to a wait for a
// second click.
//
// The cell editor takes text of any length. A text holding a character that
// code page 932 cannot hold is not stored: the editor stays open with the
// text as typed and the character selected, and a message names it.
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
    // so that handlers read what the user typed. Throws CharacterError, the
    // editor staying open, when the text cannot be stored.
    void FinishEditing();

    // The selected cell; {-1, -1} when nothing is selected.
    GridCoord SelectedCell() const;
    void SelectCell(int column, int row);

    const CellStore& Store() const { return model_->Store(); }
    // Changes the cells in bulk. The open editor is finished first; the
    // selected cell is kept, moved inside the grid if the grid shrank.
    void ChangeStore(const std::function<void(CellStore&)>& change);

    CellStoreModel* CellModel() const { return model_; }
    const FrozenCells& Frozen() const { return *frozen_; }

    // Keeps a scrolled-to cell clear of the fixed row and column.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;

private:
    void RestoreSelection(GridCoord cell);
    QWidget* OpenEditor() const;
    // Brings the user back to an editor whose text was refused: its cell
    // selected, the character selected in it, and the message.
    void ReturnToRefusedEditor();

    CellStoreModel* model_;
    FrozenCells* frozen_ = nullptr; // made once the model is set
    // The editor whose text was refused at its last commit; it stays open.
    QPointer<QWidget> refused_;
    bool changingCurrent_ = false;
    bool returnPending_ = false;
    // The cell a left click pressed while it was current and not edited.
    QPersistentModelIndex pressedCurrent_;
};

// Scrolls the rows of two grids together, as the label grid and the matrix
// grid of a matrix window show the same objects. Their visible rows match
// when both have the same row heights and viewport heights; `follower`
// shows a horizontal scroll bar whenever `leader` does, to keep them equal.
void LinkVerticalScrolling(StringGrid& leader, StringGrid& follower);

} // namespace vantrel
