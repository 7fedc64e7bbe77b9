#include "platform/core/Cp932.h"

#include "common/Errors.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(Cp932Test, ConvertsFixedTextsToTheirBytes)
{
    EXPECT_EQ(Sjis(" 対象"), " \x91\xce\x8f\xdb");
    EXPECT_EQ(Sjis("　"), "\x81\x40");
    EXPECT_EQ(Sjis("ｱ"), "\xb1");
    EXPECT_EQ(Sjis("表"), "\x95\x5c"); // trail byte is the ASCII backslash
    EXPECT_EQ(Sjis("①"), "\x87\x40");
    EXPECT_EQ(Sjis("abc 1.5"), "abc 1.5");
    EXPECT_EQ(Sjis(""), "");
}

TEST(Cp932Test, WindowsTypedSymbolsRoundTrip)
{
    // The wave dash and minus typed on Windows must come back as typed.
    for (const std::string bytes : {"\x81\x60", "\x81\x7c", "\x81\x5f", "\x81\x91", "\x81\xca"}) {
        const std::string utf8 = Utf8FromCp932(bytes);
        EXPECT_EQ(TryCp932FromUtf8(utf8), bytes) << utf8;
    }
}

TEST(Cp932Test, RoundTripsJapaneseText)
{
    const std::string utf8 = "りんご・ミカン　葡萄 ｶﾀｶﾅ ①Ⅱ㈱ ＡＢＣ";
    const std::string bytes = Sjis(utf8);
    EXPECT_EQ(Utf8FromCp932(bytes), utf8);
}

TEST(Cp932Test, RefusesCharactersWithoutACodePageForm)
{
    EXPECT_FALSE(TryCp932FromUtf8("a\xF0\x9F\x98\x80")); // an emoji
    EXPECT_FALSE(TryCp932FromUtf8("\xE4\xB8\x82")); // a rare ideograph
    try {
        Cp932FromUtf8("ok \xF0\x9F\x98\x80 then");
        FAIL();
    } catch (const CharacterError& error) {
        EXPECT_EQ(error.Character(), "\xF0\x9F\x98\x80");
        EXPECT_NE(std::string(error.what()).find("U+1F600"), std::string::npos);
    }
    EXPECT_FALSE(TryCp932FromUtf8("\xFF")); // not UTF-8 at all
}

TEST(Cp932Test, DamagedBytesShowAsReplacementAndTheRestSurvives)
{
    EXPECT_EQ(Utf8FromCp932("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Utf8FromCp932("\xA0z"), "\xEF\xBF\xBDz");
    EXPECT_EQ(Utf8FromCp932("x\x85\x40y" + Sjis("対")), "x\xEF\xBF\xBD@y対");
}

TEST(Cp932Test, CharacterLengthFollowsLeadBytes)
{
    const std::string text = Sjis("a対ｱ");
    EXPECT_EQ(Cp932CharLength(text, 0), 1u);
    EXPECT_EQ(Cp932CharLength(text, 1), 2u);
    EXPECT_EQ(Cp932CharLength(text, 3), 1u);
    EXPECT_EQ(Cp932CharLength("\x81", 0), 1u); // a lead byte with nothing after
    EXPECT_EQ(Cp932CharLength("\xe0\x40", 0), 2u);
    EXPECT_EQ(Cp932CharLength("\xfc\x40", 0), 2u);
    EXPECT_EQ(Cp932CharLength("\xa0\x40", 0), 1u);
    EXPECT_EQ(Cp932CharLength("\xfd\x40", 0), 1u);
    // Only a trail byte completes a pair, so a stray lead byte leaves the
    // comma, quote or blank after it alone.
    for (const char* text : {"\x81,", "\xf7\"", "\x9c ", "\x81\x7f", "\x81\xfd", "\x81\x3f"})
        EXPECT_EQ(Cp932CharLength(text, 0), 1u) << text;
    for (const char* text : {"\x81\x40", "\x9f\x7e", "\xe0\x80", "\xfc\xfc"})
        EXPECT_EQ(Cp932CharLength(text, 0), 2u) << text;
}

} // namespace
} // namespace vantrel
