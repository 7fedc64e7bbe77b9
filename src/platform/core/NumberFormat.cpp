#include "platform/core/NumberFormat.h"

#include "platform/core/DecimalRounding.h"
#include "platform/core/Locale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantrel {
namespace {

std::string NonFinite(long double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Digits d1d2... of 0.d1d2... × 10^exponent written without exponent:
// integer part ("0" when none), then the separator and `decimals` digits
// (all remaining ones when decimals < 0).
std::string FixedText(const RoundedDecimal& d, int decimals)
{
    std::string text;
    if (d.Negative && !d.IsZero())
        text.push_back('-');
    const int digitCount = static_cast<int>(d.Digits.size());
    auto digitAt = [&](int position) { // position 0 = d1
        return position >= 0 && position < digitCount ? d.Digits[static_cast<std::size_t>(position)] : '0';
    };
    if (d.IsZero() || d.Exponent <= 0) {
        text.push_back('0');
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            text.push_back(digitAt(i));
    }
    const int exponent = d.IsZero() ? 0 : d.Exponent;
    const int remaining = digitCount - exponent;
    const int count = decimals < 0 ? std::max(remaining, 0) : decimals;
    if (count > 0) {
        text.push_back(DecimalSeparator);
        for (int i = 0; i < count; ++i)
            text.push_back(d.IsZero() ? '0' : digitAt(exponent + i));
    }
    return text;
}

} // namespace

std::string FormatGeneral(long double value, int significant)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    const RoundedDecimal d = RoundToSignificant(value, significant);
    if (d.IsZero())
        return "0";
    if (d.Exponent >= -3 && d.Exponent <= significant)
        return FixedText(d, -1);
    std::string text;
    if (d.Negative)
        text.push_back('-');
    text.push_back(d.Digits[0]);
    if (d.Digits.size() > 1) {
        text.push_back(DecimalSeparator);
        text.append(d.Digits, 1);
    }
    text.push_back('E');
    text += std::to_string(d.Exponent - 1);
    return text;
}

std::string FormatReportNumber(long double value) { return FormatGeneral(value, 7); }

std::string FormatFixed(long double value, int decimals)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    return FixedText(RoundToDecimals(value, decimals), std::max(decimals, 0));
}

std::string FormatFixedRight(long double value, int width, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatFixedPrecision(long double value, int precision, int decimals)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    const RoundedDecimal d = RoundToSignificantAndDecimals(value, precision, decimals);
    if (d.IsZero() || d.Exponent <= precision)
        return FixedText(d, std::max(decimals, 0));

    const RoundedDecimal e = RoundToSignificant(value, precision);
    std::string text;
    if (e.Negative)
        text.push_back('-');
    text.push_back(e.Digits[0]);
    if (precision > 1) {
        text.push_back(DecimalSeparator);
        for (int i = 1; i < precision; ++i)
            text.push_back(i < static_cast<int>(e.Digits.size()) ? e.Digits[static_cast<std::size_t>(i)]
                                                                 : '0');
    }
    const int exponent = e.Exponent - 1;
    text += exponent < 0 ? "E-" : "E+";
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    return text + digits;
}

std::string FormatAxisGeneral(long double value) { return FormatGeneral(value, 15); }
std::string FormatAxisFixed(long double value) { return FormatFixedPrecision(value, 9, 2); }

} // namespace vantrel
