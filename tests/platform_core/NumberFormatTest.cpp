#include "platform/core/NumberFormat.h"

#include "platform/core/DecimalRounding.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace vantrel {
namespace {

TEST(ReportNumberFormat, WritesTheDocumentedExamples)
{
    EXPECT_EQ(FormatReportNumber(0.0L), "0");
    EXPECT_EQ(FormatReportNumber(2.5L), "2.5");
    EXPECT_EQ(FormatReportNumber(1.0L / 3.0L), "0.3333333");
    EXPECT_EQ(FormatReportNumber(2.0L / 3.0L), "0.6666667");
    EXPECT_EQ(FormatReportNumber(123456.78L), "123456.8");
    EXPECT_EQ(FormatReportNumber(1234567.4L), "1234567");
    EXPECT_EQ(FormatReportNumber(12345678.0L), "1.234568E7");
    EXPECT_EQ(FormatReportNumber(9999999.6L), "1E7");
    EXPECT_EQ(FormatReportNumber(0.0001L), "0.0001");
    EXPECT_EQ(FormatReportNumber(0.00001234L), "1.234E-5");
    EXPECT_EQ(FormatReportNumber(-2.25L), "-2.25");
}

TEST(ReportNumberFormat, SwitchesNotationAtTheExponentLimits)
{
    // Rounding can lift a value over the fixed range.
    EXPECT_EQ(FormatReportNumber(9999999.5L), "1E7");
    EXPECT_EQ(FormatReportNumber(9999999.4L), "9999999");
    EXPECT_EQ(FormatReportNumber(10000000.0L), "1E7");
    EXPECT_EQ(FormatReportNumber(0.001L), "0.001");
    EXPECT_EQ(FormatReportNumber(0.00009999L), "9.999E-5");
    EXPECT_EQ(FormatReportNumber(0.000099999999L), "0.0001");
    EXPECT_EQ(FormatReportNumber(-0.00001234L), "-1.234E-5");
    EXPECT_EQ(FormatReportNumber(-12345678.0L), "-1.234568E7");
    EXPECT_EQ(FormatReportNumber(1e100L), "1E100");
    EXPECT_EQ(FormatReportNumber(1.5e-300L), "1.5E-300");
    EXPECT_EQ(FormatReportNumber(-0.0L), "0");
    EXPECT_EQ(FormatReportNumber(100.0L), "100");
    EXPECT_EQ(FormatReportNumber(0.5L), "0.5");
}

TEST(ReportNumberFormat, RoundsTiesAwayFromZeroOnTheExactValue)
{
    // 0.125 and 2.5 are exact binary values: true ties.
    EXPECT_EQ(FormatGeneral(0.125L, 2), "0.13");
    EXPECT_EQ(FormatGeneral(-0.125L, 2), "-0.13");
    EXPECT_EQ(FormatGeneral(2.5L, 1), "3");
    EXPECT_EQ(FormatReportNumber(1234567.5L), "1234568");
    EXPECT_EQ(FormatReportNumber(1234568.5L), "1234569");
    EXPECT_EQ(FormatReportNumber(-1234568.5L), "-1234569");
    // Just below and above a tie.
    EXPECT_EQ(FormatReportNumber(std::nextafter(1234568.5L, 0.0L)), "1234568");
    EXPECT_EQ(FormatReportNumber(std::nextafter(1234568.5L, 2e6L)), "1234569");
    // Near ties are not ties: the 80-bit 0.15 lies above, the 64-bit one below.
    EXPECT_EQ(FormatGeneral(0.15L, 1), "0.2");
    EXPECT_EQ(FormatGeneral(static_cast<long double>(0.15), 1), "0.1");
}

TEST(ReportNumberFormat, HandlesTheExtremesOfTheType)
{
    EXPECT_EQ(FormatReportNumber(LDBL_MAX), "1.189731E4932");
    EXPECT_EQ(FormatReportNumber(LDBL_MIN), "3.362103E-4932");
    EXPECT_EQ(FormatReportNumber(std::numeric_limits<long double>::denorm_min()), "3.6452E-4951");
    EXPECT_EQ(FormatReportNumber(std::numeric_limits<long double>::infinity()), "INF");
}

TEST(FixedFormat, WritesExactlyTheGivenDecimals)
{
    EXPECT_EQ(FormatFixed(2.25L, 1), "2.3");
    EXPECT_EQ(FormatFixed(-2.25L, 1), "-2.3");
    EXPECT_EQ(FormatFixed(0.0L, 1), "0.0");
    EXPECT_EQ(FormatFixed(0.04L, 1), "0.0");
    EXPECT_EQ(FormatFixed(-0.04L, 1), "0.0");
    EXPECT_EQ(FormatFixed(0.05L, 1), "0.1"); // 0.05 is a hair above the tie in 80 bits
    EXPECT_EQ(FormatFixed(9.96L, 1), "10.0");
    // Carries that a short expansion already made must not shift the cut.
    EXPECT_EQ(FormatFixed(-999999.95999999996L, 1), "-1000000.0");
    EXPECT_EQ(FormatFixed(999999.96L, 1), "1000000.0");
    EXPECT_EQ(FormatFixed(99.996L, 2), "100.00");
    EXPECT_EQ(FormatAxisFixed(999999.996L), "1000000.00");
    EXPECT_EQ(FormatFixed(1234567.0L, 1), "1234567.0");
    EXPECT_EQ(FormatFixed(0.5L, 0), "1");
    EXPECT_EQ(FormatFixed(0.5L, 20000).size(), 20002u); // more decimals than the exact value has
    EXPECT_EQ(FormatFixed(123.0L, 0), "123");
    EXPECT_EQ(FormatFixed(1e30L, 2), "1000000000000000000024696061952.00"); // exact binary value
    EXPECT_EQ(FormatFixed(0.1L, 25), "0.1000000000000000000013553");
    EXPECT_EQ(FormatFixedRight(1.5L, 7, 1), "    1.5");
    EXPECT_EQ(FormatFixedRight(-12.25L, 7, 1), "  -12.3");
    EXPECT_EQ(FormatFixedRight(1234567.0L, 7, 1), "1234567.0");
}

TEST(AxisFormats, FollowThePrecisionAndDecimalLimits)
{
    EXPECT_EQ(FormatAxisFixed(0.2L), "0.20");
    EXPECT_EQ(FormatAxisFixed(8.0L), "8.00");
    EXPECT_EQ(FormatAxisFixed(12345678.9L), "12345678.90");
    EXPECT_EQ(FormatAxisFixed(1234567.891L), "1234567.89");
    EXPECT_EQ(FormatAxisFixed(123456789.5L), "123456790.00");
    EXPECT_EQ(FormatAxisFixed(0.005L), "0.00"); // a hair below the tie in 80 bits
    EXPECT_EQ(FormatAxisFixed(0.125L), "0.13");
    EXPECT_EQ(FormatAxisFixed(0.0L), "0.00");
    EXPECT_EQ(FormatAxisFixed(-3.125L), "-3.13");
    EXPECT_EQ(FormatAxisFixed(12345678901.0L), "1.23456789E+10");
    EXPECT_EQ(FormatAxisFixed(1e100L), "1.00000000E+100");

    EXPECT_EQ(FormatAxisGeneral(0.8L), "0.8");
    EXPECT_EQ(FormatAxisGeneral(0.0L), "0");
    EXPECT_EQ(FormatAxisGeneral(1.0L / 3.0L), "0.333333333333333");
    EXPECT_EQ(FormatAxisGeneral(100.0L), "100");
    EXPECT_EQ(FormatAxisGeneral(0.0001L), "0.0001");
    EXPECT_EQ(FormatAxisGeneral(0.00001L), "1E-5");
    EXPECT_EQ(FormatAxisGeneral(123456789012345.0L), "123456789012345");
    EXPECT_EQ(FormatAxisGeneral(1234567890123456.0L), "1.23456789012346E15");
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

// printf's digits of |value| to `significant` digits, trailing zeros dropped.
RoundedDecimal PrintfDigits(long double value, int significant)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", significant - 1, std::fabs(value));
    RoundedDecimal d;
    d.Negative = std::signbit(value);
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            d.Digits.push_back(*p);
    d.Exponent = std::atoi(p + 1) + 1;
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

// True when the exact value lies exactly halfway at `significant` digits.
bool IsExactTie(long double value, int significant)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.80Le", std::fabs(value));
    std::string digits;
    for (const char* p = buffer; *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    return digits[static_cast<std::size_t>(significant)] == '5' &&
           digits.find_first_not_of('0', static_cast<std::size_t>(significant) + 1) == std::string::npos;
}

TEST(DecimalRounding, AgreesWithCorrectlyRoundedPrintfAwayFromTies)
{
    // Random significands over a wide range of exponents: without exact ties,
    // ties-to-even and ties-away agree, so printf is an oracle.
    const unsigned seed = 20261208;
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> exponent(-120, 120);
    for (int k = 0; k < 200000; ++k) {
        const long double value =
            std::ldexp(static_cast<long double>(random() | (1ULL << 63)), exponent(random) - 63) *
            (k % 2 ? -1 : 1);
        for (int significant : {7, 15}) {
            if (IsExactTie(value, significant))
                continue; // checked below: printf would go to even
            const RoundedDecimal got = RoundToSignificant(value, significant);
            const RoundedDecimal want = PrintfDigits(value, significant);
            ASSERT_EQ(got.Digits, want.Digits) << "seed " << seed << " value " << static_cast<double>(value);
            ASSERT_EQ(got.Exponent, want.Exponent);
            ASSERT_EQ(got.Negative, want.Negative);
        }
    }
}

TEST(DecimalRounding, FixedAgreesWithPrintfAwayFromTies)
{
    const unsigned seed = 77;
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> exponent(-30, 40);
    char buffer[128];
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int k = 0; k < 100000; ++k) {
        const int decimals = k % 4;
        // Half random values, half just below a power of ten, where digit
        // strings carry ("999999.96" -> "1000000.0").
        const long double value =
            k % 3 == 0
                ? (std::pow(10.0L, k % 13) - unit(random) * std::pow(10.0L, -decimals)) * (k % 2 ? -1 : 1)
                : std::ldexp(static_cast<long double>(random() | (1ULL << 63)), exponent(random) - 63) *
                      (k % 2 ? -1 : 1);
        std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals + 30, std::fabs(value));
        const std::string exact = buffer;
        const std::size_t cut = exact.find('.') + 1 + static_cast<std::size_t>(decimals);
        if (exact[cut] == '5' && exact.find_first_not_of('0', cut + 1) == std::string::npos)
            continue; // a tie (or too near to tell here)
        std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
        std::string want = buffer;
        if (want.find_first_not_of("-0.") == std::string::npos && want[0] == '-')
            want.erase(0, 1); // zero prints unsigned
        ASSERT_EQ(FormatFixed(value, decimals), want) << "seed " << seed << " value " << exact;
    }
}

TEST(DecimalRounding, ExactTiesGoAwayFromZeroAtEveryScale)
{
    for (long long whole : {1000000LL, 1000002LL, 2345678LL, 9999998LL, 9999999LL}) {
        const long double tie = static_cast<long double>(whole) + 0.5L;
        const RoundedDecimal d = RoundToSignificant(tie, 7);
        const std::string expected = std::to_string(whole + 1);
        EXPECT_EQ(d.Digits + std::string(static_cast<std::size_t>(d.Exponent) - d.Digits.size(), '0'),
                  expected);
        EXPECT_EQ(RoundToSignificant(-tie, 7).Digits, d.Digits);
        EXPECT_TRUE(RoundToSignificant(-tie, 7).Negative);
    }
    // Ties with a fractional cut, where every digit comes from the exact path.
    EXPECT_EQ(FormatGeneral(1.0000005L, 7), "1"); // the 80-bit value lies just below the tie
    // A large integer that is an exact tie, where printf would round to even.
    EXPECT_EQ(FormatGeneral(10288549947284450000.0L, 15), "1.02885499472845E19");
    EXPECT_EQ(FormatGeneral(-10288549947284450000.0L, 15), "-1.02885499472845E19");
    EXPECT_EQ(FormatGeneral(0.0009765625L, 3), "0.000977"); // 2^-10, exact tie at 3 digits
    EXPECT_EQ(FormatGeneral(0x1p-20L, 6), "9.53674E-7");
}

} // namespace
} // namespace vantrel
