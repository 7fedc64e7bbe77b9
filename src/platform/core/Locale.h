#pragma once

#include <locale.h>
#include <string>

namespace vantrel {

// The decimal separator of number texts, read and written. The Japanese
// locale uses a period; every parser and formatter takes it from here.
inline constexpr char DecimalSeparator = '.';

// The C library's own locale. printf and strtold follow LC_NUMERIC, which a
// Qt application sets from the user's environment; number texts of files
// and reports are always in the C form, so they read and write through this.
locale_t CLocale();

// printf of one long double with `format` ("%.21Lg", "%7.1Lf"), in the C
// locale whatever locale the program runs in.
std::string FormatInCLocale(const char* format, long double value);

} // namespace vantrel
