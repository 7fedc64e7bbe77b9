#include "input/core/AttributeDistances.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixConfirm.h"
#include "support/AttributeTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace vantrel {
namespace {

// A table from rows of cell texts: {label, value, value, ...}.
CellStore Table(const std::vector<std::vector<std::string>>& rows, int attributes)
{
    return testing::AttributeTableFromRows(rows, attributes, true);
}

struct Fixture : ::testing::Test {
    std::unique_ptr<AnalysisData> data = std::make_unique<AnalysisData>();
    std::unique_ptr<AttributeData> attributes = std::make_unique<AttributeData>();

    void Read(const CellStore& cells)
    {
        ReadAttributeTable(AttributeTable::TextsOf(cells), *data, *attributes);
    }
    std::string ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const Error& error) {
            return error.what();
        }
        return "(no error)";
    }
};

using AttributeDistances = Fixture;

TEST_F(AttributeDistances, ReadsCountsLabelsUntrimmedAndValues)
{
    Read(Table({{" A ", "1.5", " -2e1 "}, {"B", "+3", "4."}}, 2));
    EXPECT_EQ(data->ObjectCount, 2);
    EXPECT_EQ(attributes->AttributeCount, 2);
    EXPECT_EQ(data->ObjectLabels[1], " A ");
    EXPECT_EQ(attributes->Value(1, 1), 1.5L);
    EXPECT_EQ(attributes->Value(1, 2), -20.0L);
    EXPECT_EQ(attributes->Value(2, 2), 4.0L);
}

TEST_F(AttributeDistances, BadCellNamesGridRowThenColumnAndKeepsWhatCameBefore)
{
    data->ObjectLabels[2] = "old";
    const CellStore cells = Table({{"A", "1", "2"}, {"B", "3", " "}, {"C", "5", "6"}}, 2);
    try {
        Read(cells);
        FAIL() << "no error";
    } catch (const CellConversionError& error) {
        EXPECT_STREQ(error.what(), "Error ===>  Cells[3,3] =  ");
    }
    EXPECT_EQ(data->ObjectCount, 3);
    EXPECT_EQ(data->ObjectLabels[2], "B");
    EXPECT_EQ(attributes->Value(2, 1), 3.0L);

    EXPECT_EQ(ErrorOf([&] { Read(Table({{"A", "x1"}}, 1)); }), "Error ===>  Cells[2,2] = x1");
    EXPECT_EQ(ErrorOf([&] { Read(Table({{"A", ""}}, 1)); }), "Error ===>  Cells[2,2] = ");
    EXPECT_EQ(ErrorOf([&] { Read(Table({{"A", "1,5"}}, 1)); }), "Error ===>  Cells[2,2] = 1,5");
}

TEST_F(AttributeDistances, OversizedTableIsRefusedBeforeAnythingIsWritten)
{
    data->ObjectCount = 7;
    CellStore cells = Table({}, 1);
    cells.Resize(3, 1003);
    EXPECT_THROW(Read(cells), Error);
    cells.Resize(203, 4);
    EXPECT_THROW(Read(cells), Error);
    EXPECT_EQ(data->ObjectCount, 7);
    EXPECT_EQ(attributes->AttributeCount, 0);
}

TEST_F(AttributeDistances, ThreeFourFiveGivesFive)
{
    Read(Table({{"P", "0", "0"}, {"Q", "3", "4"}}, 2));
    ComputeEuclideanDistances(*attributes, 2, data->DissimMatrix);
    EXPECT_EQ(data->DissimMatrix(2, 1), 5.0L);
}

TEST_F(AttributeDistances, StandardizedThreeFourFiveGivesRootEight)
{
    const CellStore cells = Table({{"P", "0", "0"}, {"Q", "3", "4"}}, 2);
    Read(cells);
    StandardizeAttributes(*attributes, 2, AttributeTable::TextsOf(cells));
    EXPECT_EQ(attributes->Value(1, 1), -1.0L);
    EXPECT_EQ(attributes->Value(2, 1), 1.0L);
    EXPECT_EQ(attributes->Value(1, 2), -1.0L);
    EXPECT_EQ(attributes->Value(2, 2), 1.0L);
    ComputeEuclideanDistances(*attributes, 2, data->DissimMatrix);
    EXPECT_EQ(data->DissimMatrix(2, 1), std::sqrt(8.0L));
}

TEST_F(AttributeDistances, NoAttributesGivesZeroDistances)
{
    Read(Table({{"A"}, {"B"}, {"C"}}, 0));
    data->DissimMatrix(3, 2) = 9.0L;
    ComputeEuclideanDistances(*attributes, 3, data->DissimMatrix);
    EXPECT_EQ(data->DissimMatrix(2, 1), 0.0L);
    EXPECT_EQ(data->DissimMatrix(3, 1), 0.0L);
    EXPECT_EQ(data->DissimMatrix(3, 2), 0.0L);
    const CellStore cells = Table({{"A"}}, 0);
    EXPECT_NO_THROW(StandardizeAttributes(*attributes, 3, AttributeTable::TextsOf(cells)));
}

TEST_F(AttributeDistances, ZeroDeviationNamesTheAttribute)
{
    CellStore cells = Table({{"A", "1", "5"}, {"B", "2", "5"}}, 2);
    cells.SetCell(3, 1, "weight");
    Read(cells);
    const std::string message =
        ErrorOf([&] { StandardizeAttributes(*attributes, 2, AttributeTable::TextsOf(cells)); });
    EXPECT_NE(message.find("attribute 2 (weight)"), std::string::npos) << message;
    EXPECT_NE(message.find("standard deviation is 0"), std::string::npos) << message;
    EXPECT_EQ(attributes->Value(1, 1), -1.0L) << "the attribute before stays standardized";
    EXPECT_EQ(attributes->Value(1, 2), 5.0L);
}

TEST_F(AttributeDistances, OneObjectFailsStandardizingAndNoneFailsOnTheMean)
{
    CellStore one = Table({{"A", "1"}}, 1);
    Read(one);
    EXPECT_NE(ErrorOf([&] {
                  StandardizeAttributes(*attributes, 1, AttributeTable::TextsOf(one));
              }).find("attribute 1 (a1)"),
              std::string::npos);
    ComputeEuclideanDistances(*attributes, 1, data->DissimMatrix); // nothing to compute

    CellStore none = Table({}, 1);
    Read(none);
    EXPECT_NE(ErrorOf([&] {
                  StandardizeAttributes(*attributes, 0, AttributeTable::TextsOf(none));
              }).find("no objects"),
              std::string::npos);
}

TEST_F(AttributeDistances, EqualValuesWithRoundingNoiseStillCountAsNoSpread)
{
    // The mean of equal values 0.1 rounds, so sumsq/N - mean^2 need not be 0.
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 7; ++i)
        rows.push_back({"o", "0.1"});
    const CellStore cells = Table(rows, 1);
    Read(cells);
    EXPECT_THROW(StandardizeAttributes(*attributes, 7, AttributeTable::TextsOf(cells)), Error);
}

TEST_F(AttributeDistances, OverflowIsAnErrorAndLeavesTheMatrixAlone)
{
    Read(Table({{"A", "1e4000"}, {"B", "-1e4000"}, {"C", "0"}}, 1));
    data->DissimMatrix(2, 1) = 42.0L;
    data->DissimMatrix(3, 2) = 43.0L;
    const std::string message =
        ErrorOf([&] { ComputeEuclideanDistances(*attributes, 3, data->DissimMatrix); });
    EXPECT_NE(message.find("overflow"), std::string::npos) << message;
    EXPECT_EQ(data->DissimMatrix(2, 1), 42.0L);
    EXPECT_EQ(data->DissimMatrix(3, 2), 43.0L);

    const CellStore huge = Table({{"A", "1e4930"}, {"B", "1e4931"}}, 1);
    Read(huge);
    EXPECT_NE(ErrorOf([&] {
                  StandardizeAttributes(*attributes, 2, AttributeTable::TextsOf(huge));
              }).find("overflow"),
              std::string::npos);
}

// The distance loop against a plain transcription, on random tables.
TEST_F(AttributeDistances, MatchesDirectFormulaOnRandomTables)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    const int n = 17;
    const int m = 5;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= m; ++j)
            attributes->Value(i, j) = static_cast<long double>(value(random)) / 7.0L;
    attributes->AttributeCount = m;
    std::vector<long double> saved(attributes->AttributeValues);

    CellStore names = Table({}, m);
    StandardizeAttributes(*attributes, n, AttributeTable::TextsOf(names));
    for (int j = 1; j <= m; ++j) {
        long double sum = 0, sumsq = 0;
        for (int i = 1; i <= n; ++i) {
            const long double x = saved[static_cast<std::size_t>(i - 1) * 200 + (j - 1)];
            sum += x;
            sumsq += x * x;
        }
        const long double mean = sum / n;
        const long double sd = std::sqrt(sumsq / n - mean * mean);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(attributes->Value(i, j),
                      (saved[static_cast<std::size_t>(i - 1) * 200 + (j - 1)] - mean) / sd);
    }
    ComputeEuclideanDistances(*attributes, n, data->DissimMatrix);
    for (int i = 2; i <= n; ++i)
        for (int k = 1; k < i; ++k) {
            long double s = 0;
            for (int j = 1; j <= m; ++j)
                s = (attributes->Value(i, j) - attributes->Value(k, j)) *
                        (attributes->Value(i, j) - attributes->Value(k, j)) +
                    s;
            ASSERT_EQ(data->DissimMatrix(i, k), std::sqrt(s)) << i << "," << k;
        }
}

} // namespace
} // namespace vantrel
