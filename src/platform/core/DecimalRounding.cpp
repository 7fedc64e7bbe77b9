#include "platform/core/DecimalRounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vantrel {
namespace {

// The exact expansion of a long double never needs more significant digits
// than this (the smallest subnormal has about 11,500); it is only asked for
// when the short expansion cannot tell a tie from a near tie.
constexpr int ExactPrecision = 16500;

// The leading significant digits of |value| (at least `count`), correctly
// rounded at the last printed digit, and the exponent E of 0.d1d2... × 10^E.
struct Expansion {
    std::string Digits;
    int Exponent = 0;
};

Expansion Expand(long double value, int count)
{
    // "%.*Le" prints d.ddd...e±x: count digits means precision count - 1.
    std::vector<char> buffer(static_cast<std::size_t>(count) + 32);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*Le", count - 1, std::fabs(value));
    Expansion expansion;
    int i = 0;
    for (; i < length && buffer[i] != 'e'; ++i)
        if (buffer[i] >= '0' && buffer[i] <= '9')
            expansion.Digits.push_back(buffer[i]);
    expansion.Exponent = std::atoi(buffer.data() + i + 1) + 1;
    return expansion;
}

// Rounds to `keep` leading digits of the exact value (keep may be <= 0: the
// value then lies below the first kept position).
RoundedDecimal RoundAt(long double value, int keepFromExponent(int exponent, int a, int b), int a, int b)
{
    RoundedDecimal result;
    result.Negative = std::signbit(value);
    if (value == 0.0L || !std::isfinite(value))
        return result;

    // A few digits past the cut are enough unless they read exactly 5000...:
    // printf may have rounded a near tie onto a tie, so then look at them all.
    constexpr int Guard = 6;
    Expansion e = Expand(value, std::max(a, 1) + Guard);
    int keep = keepFromExponent(e.Exponent, a, b);
    if (keep + Guard > static_cast<int>(e.Digits.size())) {
        // The longer expansion may undo a carry of the short one (999.96 ->
        // "1000" at 4 digits), which moves the exponent and so the cut.
        e = Expand(value, std::min(keep + Guard, ExactPrecision));
        keep = keepFromExponent(e.Exponent, a, b);
    }
    if (keep < 0) {
        result.Digits.clear();
        return result;
    }

    if (keep >= static_cast<int>(e.Digits.size())) {
        // More digits asked for than the exact value has: nothing to round.
        keep = static_cast<int>(e.Digits.size());
        e.Digits.push_back('0');
    }

    bool roundUp = false;
    const char first = e.Digits[static_cast<std::size_t>(keep)];
    if (first > '5') {
        roundUp = true;
    } else if (first == '5') {
        const bool restZero =
            e.Digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) == std::string::npos;
        if (!restZero) {
            roundUp = true;
        } else {
            // Exactly five, or a near tie that printf rounded onto five: the
            // exact digit at the cut decides (4: below the tie; 5: the tie or
            // above, both away from zero).
            const Expansion exact = Expand(value, ExactPrecision);
            roundUp = exact.Digits[static_cast<std::size_t>(keep)] >= '5';
        }
    }

    std::string digits = e.Digits.substr(0, static_cast<std::size_t>(keep));
    int exponent = e.Exponent;
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    result.Digits = digits;
    result.Exponent = digits.empty() ? 0 : exponent;
    return result;
}

int KeepSignificant(int, int significant, int) { return significant; }

// Powers of ten up to 10^27 are exact in the 64-bit significand.
constexpr int ExactPowerLimit = 27;

long double ExactPowerOfTen(int k)
{
    static const auto Powers = [] {
        std::array<long double, ExactPowerLimit + 1> powers{};
        powers[0] = 1.0L;
        for (int i = 1; i <= ExactPowerLimit; ++i)
            powers[static_cast<std::size_t>(i)] = powers[static_cast<std::size_t>(i - 1)] * 10.0L;
        return powers;
    }();
    return Powers[static_cast<std::size_t>(k)];
}

// The common case without printf: |value| scaled by one exact power of ten
// to `significant` integer digits carries a relative error of at most 2^-64,
// so the rounding is certain unless the fraction lies within that error of
// one half; then (and outside the exact powers' range) the caller falls back
// to the exact digits.
bool TryRoundToSignificantFast(long double value, int significant, RoundedDecimal& result)
{
    if (significant > 17 || value == 0.0L || !std::isfinite(value))
        return false;
    const long double magnitude = std::fabs(value);
    // From the binary exponent: exact or one too small; the loop corrects it.
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    int exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398119521L)) + 1;
    const long double low = ExactPowerOfTen(significant - 1);
    const long double high = ExactPowerOfTen(significant);
    long double scaled = 0.0L;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = significant - exponent;
        if (shift > ExactPowerLimit || shift < -ExactPowerLimit)
            return false;
        scaled = shift >= 0 ? magnitude * ExactPowerOfTen(shift) : magnitude / ExactPowerOfTen(-shift);
        if (scaled < low)
            --exponent;
        else if (scaled >= high)
            ++exponent;
        else
            break;
    }
    if (scaled < low || scaled >= high)
        return false;
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;
    const long double margin = scaled * 0x1p-60L;
    if (std::fabs(fraction - 0.5L) <= margin)
        return false;
    auto digits = static_cast<unsigned long long>(whole) + (fraction > 0.5L ? 1 : 0);
    if (static_cast<long double>(digits) >= high) {
        digits /= 10;
        ++exponent;
    }
    std::string text = std::to_string(digits);
    const auto last = text.find_last_not_of('0');
    text.erase(last + 1);
    result.Negative = std::signbit(value);
    result.Digits = std::move(text);
    result.Exponent = exponent;
    return true;
}
int KeepDecimals(int exponent, int decimals, int) { return exponent + decimals; }
int KeepBoth(int exponent, int significant, int decimals)
{
    return std::min(significant, exponent + decimals);
}

} // namespace

RoundedDecimal RoundToSignificant(long double value, int significant)
{
    RoundedDecimal fast;
    if (TryRoundToSignificantFast(value, significant, fast))
        return fast;
    return RoundAt(value, KeepSignificant, std::max(significant, 1), 0);
}

RoundedDecimal RoundToDecimals(long double value, int decimals)
{
    return RoundAt(value, KeepDecimals, std::max(decimals, 0), 0);
}

RoundedDecimal RoundToSignificantAndDecimals(long double value, int significant, int decimals)
{
    return RoundAt(value, KeepBoth, std::max(significant, 1), std::max(decimals, 0));
}

} // namespace vantrel
