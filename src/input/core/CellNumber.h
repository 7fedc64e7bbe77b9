#pragma once

#include <optional>
#include <string_view>

namespace vantrel {

// The number a grid cell holds, or nullopt when the text is not a number.
//
// Accepted, in this order: ASCII blanks, an optional sign, decimal digits
// with at most one DecimalSeparator, an optional exponent (E or e, an
// optional sign, at least one digit), ASCII blanks. At least one digit must
// stand before the exponent, so "1." and ".5" are numbers but "." is not.
// Anything else fails: empty text, only blanks, "*", letters, tabs,
// thousands separators, "inf" or "nan".
//
// The result is the correctly rounded 80-bit value. A magnitude beyond the
// largest long double fails; a magnitude below the smallest one rounds to
// the nearest representable value (a subnormal, or zero with the sign kept),
// as it would in any other computation.
std::optional<long double> ParseCellNumber(std::string_view text);

} // namespace vantrel
