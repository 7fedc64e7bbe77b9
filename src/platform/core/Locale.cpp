#include "platform/core/Locale.h"

#include <algorithm>
#include <cstdio>

namespace vantrel {

locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

std::string FormatInCLocale(const char* format, long double value)
{
    const locale_t previous = uselocale(CLocale());
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    uselocale(previous);
    return length < 0 ? std::string() : std::string(text, std::min<std::size_t>(length, sizeof text - 1));
}

} // namespace vantrel
