// Numbers at the edges of long double through the OK conversion and the
// attribute distances: what is representable comes through exactly, what is
// not stops with a message, and nothing half-computed reaches the matrix.

#include "input/core/AttributeDistances.h"
#include "input/core/MatrixConfirm.h"

#include "MatrixTestGrids.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeTable.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

struct CellCase {
    const char* Text;
    std::optional<long double> Value; // nullopt: refused with the cell message
    bool Negative = false;
};

TEST(EdgeNumbers, OkConversionKeepsTheExtremesAndRefusesOverflow)
{
    const CellCase cases[] = {
        {"1.18973149535723176502e+4932", LDBL_MAX},
        {"-1.18973149535723176502E4932", -LDBL_MAX},
        {"3.36210314311209350626e-4932", LDBL_MIN},
        {"3.64519953188247460253e-4951", LDBL_TRUE_MIN},
        {"-3.6452e-4951", -LDBL_TRUE_MIN, true},
        {"1e-4960", 0.0L},
        {"-1e-5000", 0.0L, true},
        {"1e5000", std::nullopt},
        {" -1e5000 ", std::nullopt},
        {"1.2e4932", std::nullopt},
        {"1e99999999999999999999", std::nullopt},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.Text);
        auto data = std::make_unique<AnalysisData>();
        testing::MatrixGrids grids({"a", "b"}, {c.Text});
        if (!c.Value) {
            try {
                ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Dissimilarity, *data);
                ADD_FAILURE() << "accepted";
            } catch (const CellConversionError& error) {
                EXPECT_EQ(std::string(error.what()), std::string("Error ===>  Cells[2,1] = ") + c.Text);
            }
            continue;
        }
        ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Similarity, *data);
        EXPECT_EQ(data->SimMatrix(2, 1), *c.Value);
        EXPECT_EQ(std::signbit(data->SimMatrix(2, 1)), c.Negative || *c.Value < 0);
    }
}

// A table of one or two attributes for objects A, B (and C).
CellStore Table(const std::vector<std::vector<std::string>>& rows)
{
    const int attributes = static_cast<int>(rows[0].size());
    CellStore cells;
    AttributeTable::Initialize(cells);
    cells.Resize(attributes + 2, static_cast<int>(rows.size()) + 2);
    AttributeTable::NumberHeaders(cells);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        cells.SetCell(1, static_cast<int>(i) + 2, std::string(1, static_cast<char>('A' + i)));
        for (int j = 0; j < attributes; ++j)
            cells.SetCell(j + 2, static_cast<int>(i) + 2, rows[i][static_cast<std::size_t>(j)]);
    }
    return cells;
}

struct DistanceCase {
    const char* Name;
    std::vector<std::vector<std::string>> Rows;
    bool Standardize;
    const char* Error; // part of the message; nullptr: the distances are computed
    long double Distance; // between A and B when computed
};

TEST(EdgeNumbers, AttributeSumsAndSquaresBeyondTheRangeAreErrors)
{
    const DistanceCase cases[] = {
        {"square just inside", {{"1e2466"}, {"0"}}, false, nullptr, 1e2466L},
        {"square beyond", {{"2e2466"}, {"0"}}, false, "distance between objects 2 and 1", 0},
        {"difference beyond", {{"1e2466"}, {"-1e2466"}}, false, "overflow", 0},
        {"sum of squares beyond", {{"1e2466", "1e2466"}, {"0", "0"}}, false, "overflow", 0},
        {"largest against its negative", {{"1.18e4932"}, {"-1.18e4932"}}, false, "overflow", 0},
        {"standardized huge", {{"1e2000"}, {"3e2000"}}, true, nullptr, 2.0L},
        {"squares beyond", {{"1e2466"}, {"-1e2466"}}, true, "overflow in the sum", 0},
        {"sum beyond", {{"1.18e4932"}, {"1.18e4932"}, {"0"}}, true, "overflow in the sum", 0},
        {"squares below", {{"1e-2500"}, {"2e-2500"}}, true, "too small to compute", 0},
    };
    for (const DistanceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto data = std::make_unique<AnalysisData>();
        auto attributes = std::make_unique<AttributeData>();
        const CellStore cells = Table(c.Rows);
        ReadAttributeTable(AttributeTable::TextsOf(cells), *data, *attributes);
        data->DissimMatrix(2, 1) = 42.0L;
        try {
            if (c.Standardize)
                StandardizeAttributes(*attributes, data->ObjectCount, AttributeTable::TextsOf(cells));
            ComputeEuclideanDistances(*attributes, data->ObjectCount, data->DissimMatrix);
            EXPECT_EQ(c.Error, nullptr) << "no error";
            if (!c.Error) {
                EXPECT_EQ(static_cast<double>(data->DissimMatrix(2, 1)), static_cast<double>(c.Distance));
            }
        } catch (const Error& error) {
            ASSERT_NE(c.Error, nullptr) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.Error), std::string::npos) << error.what();
            EXPECT_EQ(data->DissimMatrix(2, 1), 42.0L);
        }
    }
}

} // namespace
} // namespace vantrel
