#pragma once

#include <string>

namespace vantrel {

// A finite real rounded to a decimal digit string: value = ±0.d1d2... × 10^Exponent.
// Digits holds no trailing zeros; an empty Digits is zero.
struct RoundedDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
};

// Rounds the exact value of `value` to `significant` digits (>= 1), ties away
// from zero. printf rounds ties to even, so the digits come from an exact
// expansion and the rounding is done here on the digit string.
RoundedDecimal RoundToSignificant(long double value, int significant);

// Rounds the exact value to `decimals` digits after the decimal point (>= 0),
// ties away from zero.
RoundedDecimal RoundToDecimals(long double value, int decimals);

// Both limits at once: at most `significant` digits and at most `decimals`
// decimals, whichever cuts first.
RoundedDecimal RoundToSignificantAndDecimals(long double value, int significant, int decimals);

} // namespace vantrel
