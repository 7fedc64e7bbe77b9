#pragma once

#include "input/core/MatrixTexts.h"
#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

// The layout of the two grids of a matrix input window, as plain cells:
// the label grid (2 columns, N + 1 rows; [1, k] is the label of object k)
// and the matrix grid (N + 1 columns and rows; the pair (i, j), i > j, is
// cell [j, i]; the diagonal and upper triangle hold "*").

// " 対象" followed by PadIndex(k), in code page 932.
std::string ObjectHeader(int k);

// The fixed texts of the label grid's header row: " 対　象" and " ラベル".
std::string LabelGridCornerText();
std::string LabelGridLabelHeaderText();

// The number of objects the label grid holds: its row count minus 1.
inline int ObjectCountOf(const CellStore& labels) { return labels.RowCount() - 1; }

// A cell's text, or empty for an address outside the store, so that grids
// of unequal shape read as missing cells instead of out of bounds.
const std::string& CellOrEmpty(const CellStore& cells, int column, int row);

// Writes the matrix grid's headers ([0, k] and [k, 0] := ObjectHeader(k))
// and puts "*" into every diagonal and upper-triangle cell, for the grid's
// current row count. Insertion, deletion, loading and CSV import all end
// with this; lower-triangle cells are left alone.
void RebuildMatrixMarks(CellStore& matrix);

// Writes [0, k] := ObjectHeader(k) for every object row of the label grid.
void NumberLabelRows(CellStore& labels);

// The state of a freshly opened window: two objects with empty labels and
// one empty value cell.
void SetUpFreshGrids(CellStore& labels, CellStore& matrix);

// The labels and lower-triangle cells the grids hold, for N = the label
// grid's row count minus 1.
MatrixTexts MatrixTextsOfGrids(const CellStore& labels, const CellStore& matrix);

// Puts texts read from a file into the grids: N + 1 label rows (the header
// row keeps its texts), N + 1 matrix rows and columns with numbered headers,
// the values present, and, once every value is there, the "*" marks. Cells
// outside the values keep what they held, so a file that stopped part-way
// leaves the grids as far as it got.
void ShowMatrixTexts(const MatrixTexts& texts, CellStore& labels, CellStore& matrix);

} // namespace vantrel
