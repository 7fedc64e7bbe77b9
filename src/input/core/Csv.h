#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Comma-separated lines of code page 932 text, as the CSV files of the input
// windows hold them.

// Splits one line (without its line end) into fields:
// - characters of code 1..32 are skipped at the start and after each field;
// - a field starting with a double quote runs to the matching closing quote,
//   "" inside standing for one quote; a field whose closing quote is missing
//   runs to the end of the line;
// - any other field runs up to the next comma or character of code 32 or
//   less, so outside quotes a blank ends a field as a comma does;
// - a comma ends the field; a comma that is the line's last character adds
//   one more, empty field.
// Double-byte characters are stepped over whole. A NUL byte ends the line.
std::vector<std::string> SplitCsvLine(std::string_view line);

// True when a field must be quoted to read back as itself: it holds a
// comma, a blank, a control character or a double quote.
bool CsvFieldNeedsQuotes(std::string_view field);

// The field as written to a CSV line: unchanged when it reads back as it
// stands, otherwise enclosed in double quotes with inner quotes doubled.
std::string QuoteCsvField(std::string_view field);

// The name a CSV export writes to: unchanged when it is at least 5 bytes
// long and ends in exactly ".csv" or exactly ".CSV"; otherwise with ".csv"
// appended. The comparison is case-sensitive.
std::string EnsureCsvExtension(const std::string& fileName);

// True when the name ends in ".csv" in any mix of cases.
bool HasCsvExtension(std::string_view fileName);

} // namespace vantrel
