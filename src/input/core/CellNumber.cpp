#include "input/core/CellNumber.h"

#include "platform/core/Locale.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number split into the pieces that fix its value: ±Mantissa × 10^Exponent.
// Exact when the mantissa took every significant digit.
struct DecimalParts {
    bool Negative = false;
    std::uint64_t Mantissa = 0;
    long long Exponent = 0;
    bool Exact = true;
};

// Reads a well-formed number, the whole of `number`: an optional sign,
// digits with at most one DecimalSeparator (at least one digit), and an
// optional exponent (E or e, an optional sign, at least one digit). One pass
// both checks the text and gathers the value, since a 1000-object file has
// half a million of them. nullopt when the text is not such a number.
std::optional<DecimalParts> ScanNumber(std::string_view number)
{
    constexpr int MaxDigits = 19; // every 19-digit integer fits 64 bits
    DecimalParts parts;
    const char* p = number.data();
    const char* const end = p + number.size();
    if (p != end && (*p == '+' || *p == '-'))
        parts.Negative = *p++ == '-';
    // Leading zeros carry no digits; the digits after them go into the
    // mantissa while it has room, and only mark the value inexact after.
    const char* const integerStart = p;
    while (p != end && *p == '0')
        ++p;
    int significant = 0;
    for (; p != end && IsDigit(*p); ++p) {
        if (significant < MaxDigits) {
            parts.Mantissa = parts.Mantissa * 10 + static_cast<unsigned>(*p - '0');
            ++significant;
        } else {
            parts.Exact = false;
            ++parts.Exponent;
        }
    }
    bool anyDigit = p != integerStart;
    if (p != end && *p == DecimalSeparator) {
        const char* const fractionStart = ++p;
        if (parts.Mantissa == 0)
            for (; p != end && *p == '0'; ++p)
                --parts.Exponent;
        for (; p != end && IsDigit(*p); ++p) {
            if (significant < MaxDigits) {
                parts.Mantissa = parts.Mantissa * 10 + static_cast<unsigned>(*p - '0');
                ++significant;
                --parts.Exponent;
            } else if (*p != '0') {
                parts.Exact = false;
            }
        }
        anyDigit = anyDigit || p != fractionStart;
    }
    if (!anyDigit)
        return std::nullopt;
    if (p != end) {
        if (*p != 'E' && *p != 'e')
            return std::nullopt;
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        if (p == end)
            return std::nullopt;
        long long written = 0;
        for (; p != end; ++p) {
            if (!IsDigit(*p))
                return std::nullopt;
            // Far beyond any long double; only the text's form still counts.
            if (written < 1000000)
                written = written * 10 + (*p - '0');
        }
        parts.Exponent += negativeExponent ? -written : written;
    }
    return parts;
}

// The value when one rounding gives it exactly: the mantissa is exact in
// the 64-bit significand and so is 10^27, so one multiply or divide by a
// power up to 27 is correctly rounded. nullopt leaves it to strtold. Typed
// values almost always qualify.
std::optional<long double> ExactFastValue(const DecimalParts& parts)
{
    static constexpr long double PowersOfTen[] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
        1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    constexpr long long MaxExactPower = 27;

    if (!parts.Exact)
        return std::nullopt;
    long double value = 0.0L;
    if (parts.Mantissa != 0) {
        if (parts.Exponent < -MaxExactPower || parts.Exponent > MaxExactPower)
            return std::nullopt;
        value = static_cast<long double>(parts.Mantissa);
        value =
            parts.Exponent < 0 ? value / PowersOfTen[-parts.Exponent] : value * PowersOfTen[parts.Exponent];
    }
    return parts.Negative ? -value : value;
}

} // namespace

std::optional<long double> ParseCellNumber(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && text[begin] == ' ')
        ++begin;
    std::size_t end = text.size();
    while (end > begin && text[end - 1] == ' ')
        --end;
    const std::string_view number = text.substr(begin, end - begin);
    const std::optional<DecimalParts> parts = ScanNumber(number);
    if (!parts)
        return std::nullopt;
    if (const std::optional<long double> fast = ExactFastValue(*parts))
        return fast;

    // A short stack copy covers every ordinary cell without allocating.
    char small[64];
    std::string large;
    char* buffer = small;
    if (number.size() >= sizeof small) {
        large.resize(number.size());
        buffer = large.data();
    }
    for (std::size_t i = 0; i < number.size(); ++i)
        buffer[i] = number[i] == DecimalSeparator ? '.' : number[i];
    buffer[number.size()] = '\0';

    char* stop = nullptr;
    errno = 0;
    const long double value = strtold_l(buffer, &stop, CLocale());
    if (stop != buffer + number.size())
        return std::nullopt;
    if (!std::isfinite(value))
        return std::nullopt;
    // ERANGE with a finite result is an underflow: keep the rounded value.
    return value;
}

} // namespace vantrel
