#pragma once

#include "platform/core/CellStore.h"

namespace vantrel {

// Inserting and deleting objects in the two grids of a matrix window (label
// grid: 2 columns, N + 1 rows; matrix grid: N + 1 columns and rows). Both
// take the row of the matrix grid's selected cell, `selectedRow`.

// Inserts a blank object as number selectedRow + 1: its label and all its
// values are " ", and later objects move one place on with their labels and
// values. Nothing is inserted when selectedRow <= 0, but the "*" marks are
// still rewritten; grids without objects get their first one whatever the
// selection. Throws Error, changing nothing, when the grids already
// hold as many objects as the shared data can.
void InsertMatrixObject(CellStore& labels, CellStore& matrix, int selectedRow);

// Deletes object `selectedRow`; later objects move one place back with their
// labels and values. The last remaining object is never deleted, and
// selectedRow <= 0 deletes nothing. Headers and "*" marks are rewritten.
void DeleteMatrixObject(CellStore& labels, CellStore& matrix, int selectedRow);

// True when one more object would exceed the shared data's capacity.
bool MatrixGridIsFull(const CellStore& labels);

} // namespace vantrel
