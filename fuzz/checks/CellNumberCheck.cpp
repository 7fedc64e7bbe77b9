#include "FuzzChecks.h"

#include "input/core/CellNumber.h"
#include "platform/core/Locale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace vantrel::fuzz {
namespace {

bool AllDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

// The grammar restated independently of the parser's scanner: blanks,
// a mantissa with an optional sign, digits and at most one separator (at
// least one digit), an optional exponent with at least one digit, blanks.
bool GrammarAccepts(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return false;
    text = text.substr(begin, text.find_last_not_of(' ') + 1 - begin);

    std::string_view mantissa = text.substr(0, text.find_first_of("eE"));
    if (mantissa.size() < text.size()) {
        std::string_view exponent = text.substr(mantissa.size() + 1);
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
            exponent.remove_prefix(1);
        if (!AllDigits(exponent))
            return false;
    }
    if (!mantissa.empty() && (mantissa[0] == '+' || mantissa[0] == '-'))
        mantissa.remove_prefix(1);
    const std::size_t separator = mantissa.find(DecimalSeparator);
    if (separator == std::string_view::npos)
        return AllDigits(mantissa);
    const std::string_view whole = mantissa.substr(0, separator);
    const std::string_view fraction = mantissa.substr(separator + 1);
    return (whole.empty() || AllDigits(whole)) && (fraction.empty() || AllDigits(fraction)) &&
           !(whole.empty() && fraction.empty());
}

long double StrtoldC(std::string_view text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string copy(text);
    for (char& ch : copy)
        if (ch == DecimalSeparator)
            ch = '.';
    return strtold_l(copy.c_str(), nullptr, c);
}

std::string Describe(long double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%La", value);
    return buffer;
}

} // namespace

std::string CheckCellNumber(std::string_view text)
{
    const std::optional<long double> parsed = ParseCellNumber(text);
    const bool wellFormed = GrammarAccepts(text);
    if (!parsed) {
        if (wellFormed && std::isfinite(StrtoldC(text)))
            return "a well-formed number with a finite value was refused";
        return {};
    }
    if (!wellFormed)
        return "a text outside the number grammar was accepted";
    if (!std::isfinite(*parsed))
        return "an accepted number is not finite";
    const long double expected = StrtoldC(text);
    if (*parsed != expected || std::signbit(*parsed) != std::signbit(expected))
        return "the value " + Describe(*parsed) + " differs from strtold's " + Describe(expected);
    return {};
}

} // namespace vantrel::fuzz
