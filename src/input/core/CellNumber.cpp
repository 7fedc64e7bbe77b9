#include "input/core/CellNumber.h"

#include "platform/core/Locale.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace vantrel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// strtold follows LC_NUMERIC, which a Qt application sets from the user's
// environment; the text handed over is already normalised to the C form.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

// The length of the number at the start of `text` (sign, mantissa,
// exponent), or 0 when it does not start with a well-formed number.
std::size_t ScanNumber(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == DecimalSeparator) {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return 0;
    }
    return i;
}

// The value of a well-formed number when it can be computed exactly in one
// rounding: at most 19 significant digits (exact in the 64-bit significand)
// and a decimal exponent within 27 (10^27 is exact too), so one multiply or
// divide gives the correctly rounded result. nullopt leaves it to strtold.
// Typed values almost always qualify, which keeps a 1000-object OK fast.
std::optional<long double> ExactFastValue(std::string_view number)
{
    static constexpr long double PowersOfTen[] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
        1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
        1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    constexpr int MaxExactPower = 27;
    constexpr int MaxDigits = 19;

    std::size_t i = 0;
    const bool negative = number[0] == '-';
    if (number[0] == '+' || number[0] == '-')
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    bool afterSeparator = false;
    for (; i < number.size() && number[i] != 'E' && number[i] != 'e'; ++i) {
        if (number[i] == DecimalSeparator) {
            afterSeparator = true;
            continue;
        }
        const int digit = number[i] - '0';
        if (afterSeparator)
            --exponent;
        if (mantissa == 0 && digit == 0)
            continue; // leading zeros carry no digits
        if (digits == MaxDigits)
            return std::nullopt;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(digit);
        ++digits;
    }
    if (i < number.size()) {
        ++i;
        const bool negativeExponent = number[i] == '-';
        if (number[i] == '+' || number[i] == '-')
            ++i;
        int written = 0;
        for (; i < number.size(); ++i) {
            written = written * 10 + (number[i] - '0');
            if (written > 100000)
                return std::nullopt;
        }
        exponent += negativeExponent ? -written : written;
    }
    long double value = 0.0L;
    if (mantissa != 0) {
        if (exponent < -MaxExactPower || exponent > MaxExactPower)
            return std::nullopt;
        value = static_cast<long double>(mantissa);
        value = exponent < 0 ? value / PowersOfTen[-exponent] : value * PowersOfTen[exponent];
    }
    return negative ? -value : value;
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
    if (number.empty() || ScanNumber(number) != number.size())
        return std::nullopt;

    if (const std::optional<long double> fast = ExactFastValue(number))
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
