#pragma once

#include "common/Limits.h"
#include "input/core/AttributeTexts.h"
#include "platform/core/CellStore.h"

namespace vantrel {

// The attribute table as grid cells: row 1 holds the corner cell and the
// attribute names, column 1 the object labels, object i sits in row i + 1
// and attribute j in column j + 1. Row 0 and column 0 are the headers.
// The editing operations below act at the selected cell, as the window's
// buttons do, and keep the table within what the working data can hold.
namespace AttributeTable {

// N = rows - 2 and M = columns - 2.
inline int ObjectCount(const CellStore& cells) { return cells.RowCount() - 2; }
inline int AttributeCount(const CellStore& cells) { return cells.ColumnCount() - 2; }

std::string ObjectHeader(int object); // " 対象" + PadIndex(object)
std::string AttributeHeader(int attribute); // " 属性" + PadIndex(attribute)

// The table of a new window: one attribute, two objects, headers only.
void Initialize(CellStore& cells);

// Rewrites every row header of the objects and every column header of the
// attributes from their positions.
void NumberHeaders(CellStore& cells);

// A blank row directly below `selectedRow` (>= 1). Throws Error when the
// table already holds the most objects it may.
void InsertObjectRow(CellStore& cells, int selectedRow);
// Removes the object row `selectedRow`; rows 0 and 1 delete nothing.
void DeleteObjectRow(CellStore& cells, int selectedRow);
// A blank column directly right of `selectedColumn` (>= 1). Throws Error
// when the table already holds the most attributes it may.
void InsertAttributeColumn(CellStore& cells, int selectedColumn);
// Removes the attribute column `selectedColumn`; columns 0 and 1 delete
// nothing.
void DeleteAttributeColumn(CellStore& cells, int selectedColumn);

// Throws Error with a message saying which limit a table of this size
// exceeds; used wherever a table's size comes from outside the window.
void CheckSize(int objects, int attributes);

// The cells of the table without its headers.
AttributeTexts TextsOf(const CellStore& cells);

// Whether putting texts into the table keeps the corner cell (1, 1): a CSV
// file does not carry it back.
enum class Corner { Replace, Keep };

// Puts texts read from a file into the table: its size from theirs, its
// headers numbered, its cells from the texts. The fixed header texts and
// the corner of row 0 are kept.
void Show(const AttributeTexts& texts, CellStore& cells, Corner corner = Corner::Replace);

} // namespace AttributeTable
} // namespace vantrel
