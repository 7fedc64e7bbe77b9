#pragma once

#include <string>
#include <string_view>

namespace vantrel::fuzz {

// The properties every reader of outside bytes must keep, whatever the
// bytes. Each check returns an empty text when the property holds and
// otherwise says what went wrong. The fuzz targets abort on a non-empty
// result; the regression tests feed the saved inputs through the same
// checks. Inputs a reader refuses with an Error are fine: refusing is the
// documented answer to bad bytes.

// ParseCellNumber accepts exactly the texts of its grammar, giving
// strtold's value (C locale) for them; a well-formed text is refused only
// when its magnitude is beyond the largest long double.
std::string CheckCellNumber(std::string_view text);

// SplitCsvLine on the bytes as one line, then two round trips through
// QuoteCsvField and a comma join: the fields the split gave, and the bytes
// cut at every NUL as a list of fields. Either comes back field for field
// (no fields and one empty field both read back as no fields).
std::string CheckCsvLine(std::string_view bytes);

// The bytes loaded as a file, saved (or exported) to `scratchFile` and
// loaded again give the same cells, except that values lose the characters
// of code 0..32 at both ends where the writer trims them. The CSV checks
// also export what the bytes give as a data file (what a window holds after
// loading one) and import it again.
std::string CheckMatrixDataFile(const std::string& bytes, const std::string& scratchFile);
std::string CheckMatrixCsv(const std::string& bytes, const std::string& scratchFile);
std::string CheckAttributeCsv(const std::string& bytes, const std::string& scratchFile);
std::string CheckAttributeDataFile(const std::string& bytes, const std::string& scratchFile);

} // namespace vantrel::fuzz
