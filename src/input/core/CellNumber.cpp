#include "input/core/CellNumber.h"

#include "platform/core/Locale.h"

#include <cerrno>
#include <cmath>
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
