#include "input/core/AttributePress.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeEcho.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixConfirm.h"
#include "platform/core/Cp932.h"
#include "platform/core/NumberFormat.h"
#include "support/AttributeTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace vantrel {
namespace {

CellStore Table(const std::vector<std::vector<std::string>>& rows, int attributes)
{
    return testing::AttributeTableFromRows(rows, attributes);
}

struct AttributePress : ::testing::Test {
    std::unique_ptr<AnalysisData> data = std::make_unique<AnalysisData>();
    std::unique_ptr<AttributeData> attributes = std::make_unique<AttributeData>();
    std::unique_ptr<TextFileWriter> report;
    std::string reportPath =
        (std::filesystem::temp_directory_path() / ("vantrel_press_" + std::to_string(::getpid()) + ".txt"))
            .string();
    int asked = 0;

    ~AttributePress() override { std::remove(reportPath.c_str()); }

    ReportFileChooser Choose(std::optional<std::string> answer)
    {
        return [this, answer] {
            ++asked;
            return answer;
        };
    }
    bool Press(const CellStore& table, AttributeDistanceKind kind)
    {
        return PressAttributeDistance(AttributeTable::TextsOf(table), kind, *data, *attributes,
                                      Choose(reportPath), report);
    }
    std::string Report()
    {
        if (report)
            report->Close();
        std::ifstream in(reportPath, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
};

const CellStore ThreeFourFive = Table({{"P", "0", "0"}, {"Q", "3", "4"}}, 2);

TEST_F(AttributePress, EuclideanStoresDistanceAndEchoesTheTable)
{
    ASSERT_TRUE(Press(ThreeFourFive, AttributeDistanceKind::Euclidean));
    EXPECT_EQ(data->DissimMatrix(2, 1), 5.0L);
    ASSERT_TRUE(report && report->IsOpen()) << "left open for the run";
    EXPECT_EQ(Report(), "\r\n" + Sjis("入力データ...") +
                            "\r\n"
                            "  1 : P             0.0    0.0\r\n"
                            "  2 : Q             3.0    4.0\r\n");
}

TEST_F(AttributePress, StandardizedEchoesRawThenStandardizedAndStoresRootEight)
{
    ASSERT_TRUE(Press(ThreeFourFive, AttributeDistanceKind::Standardized));
    EXPECT_EQ(data->DissimMatrix(2, 1), std::sqrt(8.0L));
    EXPECT_EQ(Report(), "\r\n" + Sjis("入力データ...") +
                            "\r\n"
                            "  1 : P             0.0    0.0\r\n"
                            "  2 : Q             3.0    4.0\r\n"
                            "\r\n" +
                            Sjis("標準化入力データ...") +
                            "\r\n"
                            "  1 : P            -1.0   -1.0\r\n"
                            "  2 : Q             1.0    1.0\r\n");
}

TEST_F(AttributePress, EchoLineFieldsWidenForLongLabelsValuesAndNumbers)
{
    data->ObjectCount = 1000;
    attributes->AttributeCount = 2;
    data->ObjectLabels[3] = "A";
    attributes->Value(3, 1) = 12.5L;
    attributes->Value(3, 2) = -3.0L;
    EXPECT_EQ(AttributeEchoLine(*data, *attributes, 3), "  3 : A            12.5   -3.0");

    data->ObjectLabels[1000] = Sjis("長いラベルです");
    attributes->Value(1000, 1) = 1234567.0L;
    attributes->Value(1000, 2) = 0.25L; // a tie, rounded away from zero
    EXPECT_EQ(AttributeEchoLine(*data, *attributes, 1000),
              "1000 : " + Sjis("長いラベルです") + "1234567.0    0.3");
    attributes->Value(1000, 2) = -0.25L;
    EXPECT_EQ(AttributeEchoLine(*data, *attributes, 1000).substr(7 + 14 + 9), "   -0.3");
}

TEST_F(AttributePress, NoAttributesGivesZeroDistancesAndBareLines)
{
    ASSERT_TRUE(Press(Table({{"A"}, {"B"}}, 0), AttributeDistanceKind::Standardized));
    EXPECT_EQ(data->DissimMatrix(2, 1), 0.0L);
    const std::string report = Report();
    EXPECT_NE(report.find("  2 : B         \r\n"), std::string::npos);
}

TEST_F(AttributePress, CancelledDialog)
{
    data->DissimMatrix(2, 1) = 9.0L;
    EXPECT_FALSE(PressAttributeDistance(AttributeTable::TextsOf(ThreeFourFive),
                                        AttributeDistanceKind::Standardized, *data, *attributes,
                                        Choose(std::nullopt), report));
    EXPECT_EQ(data->DissimMatrix(2, 1), 9.0L) << "a cancelled standardized press computes nothing";
    EXPECT_FALSE(report);

    EXPECT_FALSE(PressAttributeDistance(AttributeTable::TextsOf(ThreeFourFive),
                                        AttributeDistanceKind::Euclidean, *data, *attributes,
                                        Choose(std::nullopt), report));
    EXPECT_EQ(data->DissimMatrix(2, 1), 5.0L) << "a plain press computes before it asks";
    EXPECT_FALSE(report);
    EXPECT_EQ(asked, 2);
}

TEST_F(AttributePress, BadCellStopsBeforeTheDialog)
{
    data->DissimMatrix(2, 1) = 9.0L;
    const CellStore table = Table({{"A", "1"}, {"B", " "}}, 1);
    for (auto kind : {AttributeDistanceKind::Euclidean, AttributeDistanceKind::Standardized})
        EXPECT_THROW(Press(table, kind), CellConversionError);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(data->DissimMatrix(2, 1), 9.0L);
    EXPECT_FALSE(report);
}

TEST_F(AttributePress, OneObject)
{
    const CellStore table = Table({{"A", "1"}}, 1);
    EXPECT_TRUE(Press(table, AttributeDistanceKind::Euclidean));
    EXPECT_EQ(data->ObjectCount, 1);

    try {
        Press(table, AttributeDistanceKind::Standardized);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("attribute 1"), std::string::npos);
    }
    EXPECT_FALSE(report) << "the failed press's report is closed";
    EXPECT_EQ(Report(), "\r\n" + Sjis("入力データ...") + "\r\n  1 : A             1.0\r\n");
}

TEST_F(AttributePress, FailedStandardizingLeavesDistancesAlone)
{
    data->DissimMatrix(2, 1) = 9.0L;
    EXPECT_THROW(Press(Table({{"A", "1", "2"}, {"B", "3", "2"}}, 2), AttributeDistanceKind::Standardized),
                 Error);
    EXPECT_EQ(data->DissimMatrix(2, 1), 9.0L);
    EXPECT_FALSE(report);
}

TEST_F(AttributePress, ReportThatCannotBeCreatedIsAnIoError)
{
    reportPath = "/nonexistent-dir/report.txt";
    EXPECT_THROW(Press(ThreeFourFive, AttributeDistanceKind::Standardized), IoError);
    EXPECT_FALSE(report);
}

TEST_F(AttributePress, WithoutChooserNoReportIsWritten)
{
    EXPECT_TRUE(PressAttributeDistance(AttributeTable::TextsOf(ThreeFourFive),
                                       AttributeDistanceKind::Standardized, *data, *attributes, nullptr,
                                       report));
    EXPECT_EQ(data->DissimMatrix(2, 1), std::sqrt(8.0L));
    EXPECT_FALSE(report);
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

// The echo's quick number path against the report's own formatter.
TEST(AttributeEcho, ValuesMatchTheReportFormatter)
{
    auto data = std::make_unique<AnalysisData>();
    auto attributes = std::make_unique<AttributeData>();
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937_64 random(seed);
    std::vector<long double> values = {0.25L,   -0.25L,     0.75L,       -2.75L,  0.05L, -0.05L,
                                       -0.049L, -0.0L,      0.0L,        -1e-30L, 0.95L, -0.95L,
                                       9.95L,   1e14L,      1e15L,       -1e20L,  12.5L, 1234567.0L,
                                       1e4000L, 999999.95L, -999999.96L, 0.1L,    0.15L, 0.35L};
    std::uniform_real_distribution<double> uniform(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 18);
    for (int k = 0; k < 2000; ++k)
        values.push_back(static_cast<long double>(uniform(random)) * std::pow(10.0L, exponent(random)) /
                         3.0L);
    for (int k = 0; k < 200; ++k) // ties at .25 and .75
        values.push_back(std::floor(static_cast<long double>(uniform(random)) * 1000.0L) +
                         0.25L * (2 * (k % 2) + 1));
    data->ObjectCount = 1;
    attributes->AttributeCount = 1;
    for (long double value : values) {
        attributes->Value(1, 1) = value;
        const std::string line = AttributeEchoLine(*data, *attributes, 1);
        EXPECT_EQ(line.substr(16), FormatFixedRight(value, 7, 1)) << static_cast<double>(value);
    }
}

} // namespace
} // namespace vantrel
