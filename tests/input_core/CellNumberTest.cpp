#include "input/core/CellNumber.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace vantrel {
namespace {

struct Accepted {
    const char* Text;
    long double Value;
};

TEST(CellNumberTest, AcceptsTheNumberForms)
{
    const Accepted cases[] = {
        {"0", 0.0L},          {"7", 7.0L},          {"-3", -3.0L},     {"+3", 3.0L},     {"2.5", 2.5L},
        {" 2.5 ", 2.5L},      {"   -0.25", -0.25L}, {"1e3", 1000.0L},  {"1E3", 1000.0L}, {"1.5e-2", 0.015L},
        {"-1.5E+2", -150.0L}, {"1.", 1.0L},         {".5", 0.5L},      {"-.5", -0.5L},   {"1.e2", 100.0L},
        {"007", 7.0L},        {"0.1", 0.1L},        {"2.449", 2.449L},
    };
    for (const Accepted& c : cases) {
        const auto value = ParseCellNumber(c.Text);
        ASSERT_TRUE(value.has_value()) << '"' << c.Text << '"';
        // The literals are rounded by the compiler to the same 80-bit value.
        EXPECT_EQ(*value, c.Value) << '"' << c.Text << '"';
    }
}

TEST(CellNumberTest, RefusesEverythingElse)
{
    const std::string cases[] = {
        "",      " ",    "   ",   "*",     ".",    "-",     "+",        "+.",        "e5",  ".e5",
        "1e",    "1e+",  "1e-",   "1.2.3", "1,5",  "1,000", "1 000",    "+-1",       "--1", "1-",
        "1e2.5", "0x10", "inf",   "-inf",  "nan",  "1d",    "abc",      "12a",       "\t1", "1\t",
        "1\r",   "\n1",  "1e5e5", "1..",   "1 e5", "- 1",   Sjis("１"), Sjis("　1"),
    };
    for (const std::string& text : cases)
        EXPECT_FALSE(ParseCellNumber(text).has_value()) << '"' << text << '"';
}

TEST(CellNumberTest, KeepsFullExtendedPrecision)
{
    // 1/3 rounded to 64 significant bits differs from its double rounding.
    const auto third = ParseCellNumber("0.333333333333333333333333333333");
    ASSERT_TRUE(third);
    EXPECT_EQ(*third, 1.0L / 3.0L);
    EXPECT_NE(*third, static_cast<long double>(1.0 / 3.0));

    // 2^64 + 1 is not representable; ties round to even, so it reads 2^64.
    const auto big = ParseCellNumber("18446744073709551617");
    ASSERT_TRUE(big);
    EXPECT_EQ(*big, 18446744073709551616.0L);
}

TEST(CellNumberTest, RefusesValuesBeyondTheRange)
{
    EXPECT_FALSE(ParseCellNumber("2e4932"));
    EXPECT_FALSE(ParseCellNumber("-1e5000"));
    EXPECT_FALSE(ParseCellNumber("1e99999999999999999999"));
    const auto largest = ParseCellNumber("1.18973149535723176502e+4932");
    ASSERT_TRUE(largest);
    EXPECT_TRUE(std::isfinite(*largest));
}

TEST(CellNumberTest, RoundsUnderflowToTheNearestValue)
{
    const auto zero = ParseCellNumber("1e-5000");
    ASSERT_TRUE(zero);
    EXPECT_EQ(*zero, 0.0L);
    const auto negativeZero = ParseCellNumber("-1e-5000");
    ASSERT_TRUE(negativeZero);
    EXPECT_TRUE(std::signbit(*negativeZero));

    const auto subnormal = ParseCellNumber("1e-4940");
    ASSERT_TRUE(subnormal);
    EXPECT_GT(*subnormal, 0.0L);
    EXPECT_LT(*subnormal, LDBL_MIN);
}

TEST(CellNumberTest, HandlesLongTexts)
{
    // Longer than any stack buffer a parser might use.
    const std::string digits = "1." + std::string(200, '0') + "1";
    const auto value = ParseCellNumber("  " + digits + "  ");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, 1.0L);
    EXPECT_FALSE(ParseCellNumber(std::string(200, '1') + "x"));
    const auto huge = ParseCellNumber(std::string(5000, '9'));
    EXPECT_FALSE(huge);
}

TEST(CellNumberTest, IgnoresBytesBeyondTheView)
{
    const std::string text = "12345";
    const auto value = ParseCellNumber(std::string_view(text).substr(0, 2));
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, 12.0L);
}

TEST(CellNumberTest, AgreesWithTheCLibraryOnRandomNumbers)
{
    // Short forms take a shortcut; they must round exactly like strtold.
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 200000; ++round) {
        std::string text;
        if (pick(0, 3) == 0)
            text += pick(0, 1) ? "-" : "+";
        const int whole = pick(0, 22);
        for (int k = 0; k < whole; ++k)
            text += static_cast<char>('0' + pick(k == 0 && pick(0, 1) ? 1 : 0, 9));
        const int fraction = whole == 0 ? pick(1, 22) : pick(-1, 22);
        if (fraction >= 0) {
            text += '.';
            for (int k = 0; k < fraction; ++k)
                text += static_cast<char>('0' + pick(0, 9));
        }
        if (pick(0, 2) == 0)
            text += "e" + std::to_string(pick(-40, 40));
        const auto value = ParseCellNumber(text);
        ASSERT_TRUE(value) << text;
        const long double expected = std::strtold(text.c_str(), nullptr);
        ASSERT_EQ(*value, expected) << text;
        ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << text;
    }
}

TEST(CellNumberTest, RoundsHalfwayCasesToEven)
{
    // Values exactly between two 80-bit neighbours go to the even one.
    const auto up = ParseCellNumber("18446744073709551619"); // 2^64 + 3, halfway: rounds up
    ASSERT_TRUE(up);
    EXPECT_EQ(*up, 18446744073709551620.0L);
    const auto scaled = ParseCellNumber("9007199254740993e10"); // not a double, but exact here
    ASSERT_TRUE(scaled);
    EXPECT_EQ(*scaled, 90071992547409930000000000.0L);
}

} // namespace
} // namespace vantrel
