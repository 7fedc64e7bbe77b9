#pragma once

#include "platform/core/LargeBlockAllocator.h"

#include <string>
#include <vector>

namespace vantrel {

// The cells of a string grid as plain text, addressed [column, row] from 0;
// row 0 and column 0 are the fixed headers. Texts are code page 932 bytes.
// Grids on screen are views over one of these; file formats, conversions and
// listings work on it without any window.
class CellStore {
public:
    CellStore(int columns = 1, int rows = 1) { Resize(columns, rows); }

    int ColumnCount() const { return columns_; }
    int RowCount() const { return rows_; }

    // Counts below 1 are raised to 1, as a grid always keeps its header.
    // Cells inside both the old and the new size keep their text; new cells
    // are empty.
    void SetColumnCount(int columns) { Resize(columns, rows_); }
    void SetRowCount(int rows) { Resize(columns_, rows); }
    void Resize(int columns, int rows);

    const std::string& Cell(int column, int row) const { return cells_[Index(column, row)]; }
    std::string& Cell(int column, int row) { return cells_[Index(column, row)]; }
    void SetCell(int column, int row, std::string text) { cells_[Index(column, row)] = std::move(text); }

    bool Contains(int column, int row) const
    {
        return column >= 0 && row >= 0 && column < columns_ && row < rows_;
    }

private:
    std::size_t Index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }

    int columns_ = 0;
    int rows_ = 0;
    using Cells = std::vector<std::string, LargeBlockAllocator<std::string>>;
    Cells cells_;
};

} // namespace vantrel
