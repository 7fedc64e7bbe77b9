#pragma once

#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The attribute data file: plain code page 932 text, CR LF line ends.
//   line 1     R, the table's row count (objects + 2)
//   line 2     C, its column count (attributes + 2)
//   then       one line per cell of rows 1..R-1, columns 1..C-1, row by
//              row, each trimmed of the characters of code 0..32 at both ends
// Row 1 (the corner cell and the attribute names) comes first; the headers
// are not stored but numbered again on reading.

// Writes the table to `fileName`, replacing it. Throws IoError on any
// failure, leaving the part written so far.
void SaveAttributeDataFile(const std::string& fileName, const CellStore& table);

// Fills the table from a data file: its size from the two counts, its
// headers numbered, its cells from the lines (missing lines read as empty).
// The fixed header texts and the corner of row 0 are kept.
//
// Both counts are read and checked before the table changes: a count that
// is not a decimal integer, a table without its label column or
// attribute-name row (a count below 2), or one beyond 1000 objects or 200
// attributes throws Error and leaves the table as it was. A file that cannot
// be read throws IoError.
void LoadAttributeDataFile(const std::string& fileName, CellStore& table);
void LoadAttributeDataFile(TextFileReader& reader, CellStore& table);

} // namespace vantrel
