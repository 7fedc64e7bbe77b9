#pragma once

// Every cell of a window's grids, headers included, to see that an action
// left a window as it was.
#include "platform/StringGrid.h"

#include <QWidget>

#include <string>
#include <vector>

namespace vantrel::testing {

inline std::vector<std::string> AllCells(QWidget& window)
{
    std::vector<std::string> cells;
    for (StringGrid* grid : window.findChildren<StringGrid*>())
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int column = 0; column < grid->ColCount(); ++column)
                cells.push_back(grid->Cell(column, row));
    return cells;
}

} // namespace vantrel::testing
