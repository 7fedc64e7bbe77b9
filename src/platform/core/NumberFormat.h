#pragma once

#include <string>

namespace vantrel {

// Number texts of the report and the printed page. All round the exact
// 80-bit value with ties away from zero and use DecimalSeparator. A value
// that is not finite prints as "INF", "-INF" or "NAN" rather than failing,
// although the data never hold one.

// General format with up to `significant` digits: trailing zeros dropped;
// fixed notation when the rounded value is 0.d1d2... × 10^E with
// -3 <= E <= significant, else d.dddE-x / d.dddEx. Zero is "0".
// 7 digits is the report's format (2/3 -> "0.6666667", 12345678 -> "1.234568E7").
std::string FormatGeneral(long double value, int significant);

// The report's number format: FormatGeneral with 7 digits.
std::string FormatReportNumber(long double value);

// Fixed notation with exactly `decimals` decimals ("-2.50"). A value that
// rounds to zero prints without a minus sign.
std::string FormatFixed(long double value, int decimals);

// FormatFixed right-aligned in a field of `width` characters; a longer text
// is returned whole.
std::string FormatFixedRight(long double value, int width, int decimals);

// Fixed notation with at most `precision` significant digits and exactly
// `decimals` decimals ("0.20", "12345678.90"); when the value has more than
// `precision` integer digits, exponent notation with `precision` digits and
// a signed exponent of at least two digits ("1.23456789E+10").
std::string FormatFixedPrecision(long double value, int precision, int decimals);

// The page's level-axis texts: the similarity axis's left end (general,
// 15 digits) and the right end (fixed, precision 9, 2 decimals).
std::string FormatAxisGeneral(long double value);
std::string FormatAxisFixed(long double value);

} // namespace vantrel
