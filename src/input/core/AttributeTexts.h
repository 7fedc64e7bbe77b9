#pragma once

#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

// What the attribute files hold and the distance buttons read: the cells of
// an attribute table without the window's headers, as typed or read, code
// page 932. Row 0 holds the corner cell and the attribute names, row i the
// label and the values of object i; column 0 holds the corner and the
// labels, column j attribute j. The window shows cell (j, i) in its grid's
// column j + 1 and row i + 1.
struct AttributeTexts {
    // (M + 1) columns and (N + 1) rows.
    CellStore Cells;

    int ObjectCount() const { return Cells.RowCount() - 1; }
    int AttributeCount() const { return Cells.ColumnCount() - 1; }

    const std::string& Corner() const { return Cells.Cell(0, 0); }
    const std::string& Name(int attribute) const { return Cells.Cell(attribute, 0); }
    const std::string& Label(int object) const { return Cells.Cell(0, object); }
    const std::string& Value(int object, int attribute) const { return Cells.Cell(attribute, object); }
};

} // namespace vantrel
