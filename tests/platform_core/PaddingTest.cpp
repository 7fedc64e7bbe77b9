#include "platform/core/Padding.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(PaddingTest, PadsToWidthCountingBytesAndNeverCuts)
{
    EXPECT_EQ(PadToWidth("ab", 5), "ab   ");
    EXPECT_EQ(PadToWidth("abcde", 5), "abcde");
    EXPECT_EQ(PadToWidth("abcdefg", 5), "abcdefg");
    EXPECT_EQ(PadToWidth("", 2), "  ");
    EXPECT_EQ(PadToWidth("x", 0), "x");
    const std::string apple = Sjis("りんご"); // six bytes
    EXPECT_EQ(PadToWidth(apple, 8), apple + "  ");
    EXPECT_EQ(PadToWidth(apple, 5), apple);
}

TEST(PaddingTest, IndexGetsOneBlankForASingleDigit)
{
    EXPECT_EQ(PadIndex(0), " 0");
    EXPECT_EQ(PadIndex(1), " 1");
    EXPECT_EQ(PadIndex(9), " 9");
    EXPECT_EQ(PadIndex(10), "10");
    EXPECT_EQ(PadIndex(100), "100");
    EXPECT_EQ(PadIndex(1000), "1000");
    EXPECT_EQ(PadIndex(-1), "-1");
}

} // namespace
} // namespace vantrel
