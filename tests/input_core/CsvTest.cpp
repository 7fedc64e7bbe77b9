#include "input/core/Csv.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

using namespace vantrel;
using Fields = std::vector<std::string>;

TEST(SplitCsvLine, PlainFieldsAndEmptyOnes)
{
    EXPECT_EQ(SplitCsvLine(",A,B,C"), (Fields{"", "A", "B", "C"}));
    EXPECT_EQ(SplitCsvLine("C,2,0.7"), (Fields{"C", "2", "0.7"}));
    EXPECT_EQ(SplitCsvLine("A,,B"), (Fields{"A", "", "B"}));
    EXPECT_EQ(SplitCsvLine("A,  ,B"), (Fields{"A", "", "B"}));
    EXPECT_EQ(SplitCsvLine("A,"), (Fields{"A", ""}));
    EXPECT_EQ(SplitCsvLine(","), (Fields{"", ""}));
    EXPECT_EQ(SplitCsvLine(""), Fields{});
    EXPECT_EQ(SplitCsvLine("   "), Fields{});
}

TEST(SplitCsvLine, BlanksEndUnquotedFieldsAndAreSkipped)
{
    EXPECT_EQ(SplitCsvLine("  1.5 , 2 "), (Fields{"1.5", "2"}));
    EXPECT_EQ(SplitCsvLine("New York,1"), (Fields{"New", "York", "1"}));
    EXPECT_EQ(SplitCsvLine("a\tb"), (Fields{"a", "b"}));
    // A comma followed only by blanks is not the line's last character.
    EXPECT_EQ(SplitCsvLine("A, "), (Fields{"A"}));
}

TEST(SplitCsvLine, QuotedFields)
{
    EXPECT_EQ(SplitCsvLine("\"New York\",\"a,b\""), (Fields{"New York", "a,b"}));
    EXPECT_EQ(SplitCsvLine("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    EXPECT_EQ(SplitCsvLine("\"\",x"), (Fields{"", "x"}));
    // Text after a closing quote starts a field of its own.
    EXPECT_EQ(SplitCsvLine("\"ab\"cd"), (Fields{"ab", "cd"}));
    // A missing closing quote: the field runs to the end of the line.
    EXPECT_EQ(SplitCsvLine("x,\"open, field"), (Fields{"x", "open, field"}));
    EXPECT_EQ(SplitCsvLine("\""), (Fields{""}));
}

TEST(SplitCsvLine, DoubleByteCharactersStayWhole)
{
    const std::string tokyo = Sjis("東京");
    const std::string table = Sjis("表"); // trail byte 0x5C
    EXPECT_EQ(SplitCsvLine(tokyo + "," + table + ",1"), (Fields{tokyo, table, "1"}));
    EXPECT_EQ(SplitCsvLine("\"" + table + "\""), (Fields{table}));
}

TEST(SplitCsvLine, NulEndsTheLine)
{
    EXPECT_EQ(SplitCsvLine(std::string("A,B\0,C", 6)), (Fields{"A", "B"}));
    EXPECT_EQ(SplitCsvLine(std::string("\0A", 2)), Fields{});
}

TEST(QuoteCsvField, QuotesOnlyWhatWouldNotReadBack)
{
    EXPECT_EQ(QuoteCsvField("A"), "A");
    EXPECT_EQ(QuoteCsvField(""), "");
    EXPECT_EQ(QuoteCsvField(Sjis("対象")), Sjis("対象"));
    EXPECT_EQ(QuoteCsvField("a b"), "\"a b\"");
    EXPECT_EQ(QuoteCsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(QuoteCsvField("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(QuoteCsvField("a\tb"), "\"a\tb\"");
    EXPECT_EQ(QuoteCsvField(" "), "\" \"");
}

TEST(QuoteCsvField, EveryQuotedFieldSplitsBackToItself)
{
    const Fields fields{"a b", " lead", "trail ", "a,b", "\"", "x\"\"y", " ", "", Sjis("東 京"), "1.5"};
    std::string line;
    for (const auto& field : fields) {
        line += QuoteCsvField(field);
        line += ',';
    }
    line.pop_back();
    EXPECT_EQ(SplitCsvLine(line), fields);
}

TEST(EnsureCsvExtension, CaseSensitiveWithFiveByteMinimum)
{
    EXPECT_EQ(EnsureCsvExtension("data"), "data.csv");
    EXPECT_EQ(EnsureCsvExtension("data.csv"), "data.csv");
    EXPECT_EQ(EnsureCsvExtension("data.CSV"), "data.CSV");
    EXPECT_EQ(EnsureCsvExtension("data.Csv"), "data.Csv.csv");
    EXPECT_EQ(EnsureCsvExtension("a.csv"), "a.csv");
    EXPECT_EQ(EnsureCsvExtension(".csv"), ".csv.csv");
    EXPECT_EQ(EnsureCsvExtension(""), ".csv");
    EXPECT_EQ(EnsureCsvExtension("data.txt"), "data.txt.csv");
}

TEST(HasCsvExtension, AnyCase)
{
    EXPECT_TRUE(HasCsvExtension("x.csv"));
    EXPECT_TRUE(HasCsvExtension("x.CsV"));
    EXPECT_FALSE(HasCsvExtension("x.txt"));
    EXPECT_FALSE(HasCsvExtension("csv"));
}
