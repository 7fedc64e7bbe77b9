#include "platform/core/CellStore.h"

#include <algorithm>

namespace vantrel {

void CellStore::Resize(int columns, int rows)
{
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    if (columns == columns_ && rows == rows_)
        return;
    if (columns == columns_) {
        // Row-major storage: a change of row count only grows or cuts the end.
        cells_.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
        rows_ = rows;
        return;
    }
    Cells resized(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    const int keepColumns = std::min(columns, columns_);
    const int keepRows = std::min(rows, rows_);
    for (int row = 0; row < keepRows; ++row)
        for (int column = 0; column < keepColumns; ++column)
            resized[static_cast<std::size_t>(row) * columns + column] = std::move(cells_[Index(column, row)]);
    cells_ = std::move(resized);
    columns_ = columns;
    rows_ = rows;
}

} // namespace vantrel
