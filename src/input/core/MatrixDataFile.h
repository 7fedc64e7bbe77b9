#pragma once

#include "input/core/MatrixTexts.h"
#include "platform/core/Progress.h"

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

// Writes the texts to `fileName`, replacing it only once the whole file is
// written. Values lose the characters of code 0..32 at both ends; labels
// are written untrimmed. Throws IoError on any failure. The readers and
// writers of the window files count their lines on `progress`; a cancel
// leaves the old file whole.
void WriteMatrixDataFile(const std::string& fileName, const MatrixTexts& texts,
                         Progress& progress = NoProgress());

// Reads a matrix data file. Lines missing at the end read as empty texts,
// so the result is always complete; lines after the last value are
// ignored. A count of 0 or below gives no objects.
//
// Throws IoError when the file cannot be read or its first line is not an
// integer, Error when N exceeds MaxObjects.
MatrixTexts ReadMatrixDataFile(const std::string& fileName);
MatrixTexts ReadMatrixDataFile(TextFileReader& reader, Progress& progress = NoProgress());

// Reads the object count at the reader's position: blanks, control
// characters and line breaks are skipped, the number ends at the first
// character of code 32 or less, and the rest of its line is skipped. An
// empty file reads as 0. Throws IoError naming the file when the text is
// not a decimal integer that fits 32 bits, as for any other read failure.
int ReadObjectCountLine(TextFileReader& reader);

// The text without the characters of code 0..32 at either end.
std::string_view TrimControls(std::string_view text);

} // namespace vantrel
