#pragma once

// Attribute tables for the tests of the attribute files, distances and press.

#include "input/core/AttributeTable.h"
#include "platform/core/CellStore.h"

#include <string>
#include <vector>

namespace vantrel::testing {

// A table from rows of cell texts {label, value, value, ...}. With
// `nameAttributes` the attribute names read a1, a2, ...; otherwise they stay
// empty.
inline CellStore AttributeTableFromRows(const std::vector<std::vector<std::string>>& rows, int attributes,
                                        bool nameAttributes = false)
{
    CellStore cells;
    AttributeTable::Initialize(cells);
    cells.Resize(attributes + 2, static_cast<int>(rows.size()) + 2);
    AttributeTable::NumberHeaders(cells);
    if (nameAttributes)
        for (int j = 1; j <= attributes; ++j)
            cells.SetCell(j + 1, 1, "a" + std::to_string(j));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t c = 0; c < rows[i].size(); ++c)
            cells.SetCell(static_cast<int>(c) + 1, static_cast<int>(i) + 2, rows[i][c]);
    return cells;
}

// Attributes x and y, object A (1, 2) and object B (3, 4), empty corner.
inline CellStore ExampleAttributeTable()
{
    CellStore cells;
    AttributeTable::Initialize(cells);
    AttributeTable::InsertAttributeColumn(cells, 2);
    cells.SetCell(2, 1, "x");
    cells.SetCell(3, 1, "y");
    cells.SetCell(1, 2, "A");
    cells.SetCell(2, 2, "1");
    cells.SetCell(3, 2, "2");
    cells.SetCell(1, 3, "B");
    cells.SetCell(2, 3, "3");
    cells.SetCell(3, 3, "4");
    return cells;
}

} // namespace vantrel::testing
