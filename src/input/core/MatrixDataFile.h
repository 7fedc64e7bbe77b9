#pragma once

#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The matrix data file: plain code page 932 text, CR LF line ends.
//   line 1            N
//   lines 2..N+1      the labels, byte for byte
//   then              the lower triangle, row by row (i = 2..N, j = 1..i-1),
//                     one cell text per line, trimmed
// The file holds the cell texts, not numbers; nothing is validated until
// the window's OK. Dissimilarity and similarity windows share the format.

// Writes the two grids (label grid [1, 1..N], matrix grid lower triangle)
// to `fileName`, replacing it. Values lose the characters of code 0..32 at
// both ends; labels are written untrimmed. Throws IoError on any failure,
// leaving the part written so far.
void SaveMatrixDataFile(const std::string& fileName, const CellStore& labels,
                        const CellStore& matrix);

// Fills the grids from a matrix data file. The label grid gets N + 1 rows
// (its header row keeps its texts), the matrix grid N + 1 columns and rows
// with numbered headers and "*" marks. Lines missing at the end read as
// empty texts; lines after the last value are ignored. A negative N leaves
// both grids at their single header row.
//
// Throws IoError when the file cannot be read or its first line is not an
// integer, Error when N exceeds what the shared data can hold; the grids are
// untouched in those cases.
void LoadMatrixDataFile(const std::string& fileName, CellStore& labels, CellStore& matrix);
void LoadMatrixDataFile(TextFileReader& reader, CellStore& labels, CellStore& matrix);

// Reads the object count at the reader's position: blanks, control
// characters and line breaks are skipped, the number ends at the first
// character of code 32 or less, and the rest of its line is skipped. An
// empty file reads as 0. Throws IoError naming the file when the text is
// not a decimal integer that fits 32 bits, as for any other read failure.
int ReadObjectCountLine(TextFileReader& reader);

// The text without the characters of code 0..32 at either end.
std::string TrimControls(const std::string& text);

} // namespace vantrel
