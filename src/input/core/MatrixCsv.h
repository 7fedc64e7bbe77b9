#pragma once

#include "input/core/MatrixTexts.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The matrix CSV file: a lower-triangular table, code page 932, CR LF.
//   line 1            an empty field, then the N labels
//   line 2            label 1 alone
//   line i+1          label i, then the values of the pairs (i, 1)..(i, i-1)
// Values are the cell texts without the characters of code 0..32 at either
// end. A field that would not read back as itself (a comma, a blank, a
// control character or a double quote in it) is quoted, inner quotes
// doubled; every other field is written exactly as the cell holds it.

// Writes the texts to `fileName` (used as given), replacing the file only
// once the whole file is written. Throws IoError on failure.
void WriteMatrixCsv(const std::string& fileName, const MatrixTexts& texts, Progress& progress = NoProgress());

// Reads a matrix CSV file into `texts`. N is the number of fields of line 1
// minus 1; the labels come from line 1 alone, line 2 is skipped, and line
// i+1 gives the values of the pairs (i, 1)..(i, i-1).
//
// Throws IoError when the file cannot be read and Error when N exceeds
// MaxObjects, in both cases with `texts` untouched. A data line with too
// few fields (a missing line counts as one with none) throws Error naming
// the line; `texts` then holds the labels, the values read before it and
// the values that line does give, up to the missing one.
void ReadMatrixCsv(const std::string& fileName, MatrixTexts& texts);
void ReadMatrixCsv(TextFileReader& reader, MatrixTexts& texts, Progress& progress = NoProgress());

// The text of the error for a CSV line with too few fields.
std::string CsvFieldIndexErrorText(const std::string& fileName, int lineNumber, std::size_t fieldCount,
                                   int fieldsNeeded);

} // namespace vantrel
