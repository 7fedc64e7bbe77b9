#pragma once

#include "input/core/AttributeTexts.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The attribute data file: plain code page 932 text, CR LF line ends.
//   line 1     R, the table's row count in the window (objects + 2)
//   line 2     C, its column count (attributes + 2)
//   then       one line per cell of rows 1..R-1, columns 1..C-1, row by
//              row, each trimmed of the characters of code 0..32 at both ends
// Row 1 (the corner cell and the attribute names) comes first; the window's
// headers are not stored.

// Writes the table to `fileName`, replacing it only once the whole file is
// written. Throws IoError on any failure. Lines are counted on `progress`;
// a cancel leaves the old file whole.
void WriteAttributeDataFile(const std::string& fileName, const AttributeTexts& texts,
                            Progress& progress = NoProgress());

// Reads a data file; missing lines read as empty cells.
//
// Both counts are checked before any cell is read: a count that is not a
// decimal integer, a table without its label column or attribute-name row
// (a count below 2), or one beyond MaxObjects objects or MaxAttributes
// attributes throws Error. A file that cannot be read throws IoError.
AttributeTexts ReadAttributeDataFile(const std::string& fileName);
AttributeTexts ReadAttributeDataFile(TextFileReader& reader, Progress& progress = NoProgress());

} // namespace vantrel
