#pragma once

#include "platform/core/CellStore.h"

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

// Writes the grids to `fileName` (used as given), replacing the file.
// Throws IoError on failure, leaving the part written so far.
void ExportMatrixCsv(const std::string& fileName, const CellStore& labels, const CellStore& matrix);

// Fills the grids from a matrix CSV file. N is the number of fields of
// line 1 minus 1; the labels come from line 1 alone, line 2 is skipped, and
// line i+1 gives the cells [1..i-1, i]. Then the "*" marks are written.
//
// Throws IoError when the file cannot be read and Error when N exceeds the
// capacity of the shared data, in both cases before the grids change. A data
// line with too few fields (a missing line counts as one with none) throws
// Error naming the line; the grids are then left as far as the import got.
void ImportMatrixCsv(const std::string& fileName, CellStore& labels, CellStore& matrix);
void ImportMatrixCsv(TextFileReader& reader, CellStore& labels, CellStore& matrix);

// The text of the error for a CSV line with too few fields.
std::string CsvFieldIndexErrorText(const std::string& fileName, int lineNumber, std::size_t fieldCount,
                                   int fieldsNeeded);

} // namespace vantrel
