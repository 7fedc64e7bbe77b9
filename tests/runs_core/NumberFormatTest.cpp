#include "runs/core/NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

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
    EXPECT_EQ(FormatFixed(1234567.0L, 1), "1234567.0");
    EXPECT_EQ(FormatFixed(0.5L, 0), "1");
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
