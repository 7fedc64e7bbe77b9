// The engine at the edges: the extremes of long double, the most ties a data
// set can hold, and the deepest tree.

#include "EngineTestSupport.h"
#include "LiteralOracle.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <random>
#include <string>

namespace vantrel {
namespace {

using testing::Bits;
using testing::EmptyData;
using testing::Merge;
using testing::Merges;

// The methods whose new value of two equal values is that value.
constexpr Linkage KeepEqualValues[] = {Linkage::Complete, Linkage::Average, Linkage::Single,
                                       Linkage::Weighted};

// Complete and single linkage only pick input values, so the largest finite
// values, subnormals and signed zeros come through bit for bit and in the
// order the list procedure gives.
TEST(EdgeValues, ExtremesPassThroughCompleteAndSingleLinkageExactly)
{
    const long double values[] = {LDBL_MAX,          -LDBL_MAX, LDBL_TRUE_MIN, -LDBL_TRUE_MIN, LDBL_MIN,
                                  3 * LDBL_TRUE_MIN, 0.0L,      -0.0L,         1.0L,           -LDBL_MIN};
    const int n = 8;
    auto data = EmptyData(n);
    int k = 0;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j, ++k) {
            data->DissimMatrix(i, j) = values[(k * 7) % 10];
            data->SimMatrix(i, j) = values[(k * 3) % 10];
        }
    ComputeSimilarityLevels(*data);
    for (Linkage linkage : {Linkage::Complete, Linkage::Single}) {
        SCOPED_TRACE(static_cast<int>(linkage));
        const ClusterTree dissim = MergeDissimilarities(*data, linkage);
        EXPECT_EQ(testing::Difference(dissim, LiteralMergeDissimilarities(*data, linkage), false), "");
        const ClusterTree sim = MergeSimilarities(*data, linkage);
        EXPECT_EQ(testing::Difference(sim, LiteralMergeSimilarities(*data, linkage), false), "");
        for (const ClusterTree* tree : {&dissim, &sim})
            for (const Merge& merge : Merges(*tree))
                EXPECT_TRUE(std::isfinite(merge.Height));
    }
}

// An extended real from its bits.
long double FromBits(std::uint64_t significand, std::uint16_t signExponent)
{
    long double value = 0.0L;
    std::memcpy(&value, &significand, sizeof significand);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + 8, &signExponent, sizeof signExponent);
    return value;
}

// Values that compare equal but differ in their bits: -0 and +0, and
// pseudo-denormals beside the normal values they equal. Which bits a merge
// level gets depends on the order of the list's updates; the engine keeps
// whichever the list keeps, whatever shortcut it would otherwise take.
TEST(EdgeValues, EqualValuesOfDifferentEncodingsKeepTheListsBits)
{
    const long double values[] = {
        FromBits(0x8000000000000000ull, 0x0000), // pseudo-denormal, equal to LDBL_MIN
        LDBL_MIN,
        FromBits(0x8000000000000001ull, 0x8000), // pseudo-denormal, negative
        -FromBits(0x8000000000000001ull, 0x0001),
        0.0L,
        -0.0L,
        1.0L,
    };
    std::mt19937_64 random(20261209);
    for (int round = 0; round < 60; ++round) {
        const int n = 3 + round % 13;
        // Rounds alternate between mixes with and without -0.
        const int kinds = round % 2 == 0 ? 7 : 5;
        auto data = EmptyData(n);
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j) {
                data->DissimMatrix(i, j) = values[random() % kinds];
                data->SimMatrix(i, j) = values[random() % kinds];
            }
        ComputeSimilarityLevels(*data);
        for (Linkage linkage : KeepEqualValues) {
            SCOPED_TRACE("round " + std::to_string(round) + ", linkage " +
                         std::to_string(static_cast<int>(linkage)));
            EXPECT_EQ(testing::Difference(MergeDissimilarities(*data, linkage),
                                          LiteralMergeDissimilarities(*data, linkage),
                                          linkage == Linkage::Average),
                      "");
            EXPECT_EQ(testing::Difference(MergeSimilarities(*data, linkage),
                                          LiteralMergeSimilarities(*data, linkage),
                                          linkage == Linkage::Average),
                      "");
        }
    }
}

TEST(EdgeValues, SubnormalAveragesRoundLikeTheListProcedure)
{
    const int n = 7;
    auto data = EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            data->DissimMatrix(i, j) = static_cast<long double>((i * 5 + j * 3) % 7) * LDBL_TRUE_MIN;
            data->SimMatrix(i, j) = -data->DissimMatrix(i, j);
        }
    ComputeSimilarityLevels(*data);
    EXPECT_EQ(testing::Difference(MergeDissimilarities(*data, Linkage::Average),
                                  LiteralMergeDissimilarities(*data, Linkage::Average), true),
              "");
    EXPECT_EQ(testing::Difference(MergeSimilarities(*data, Linkage::Average),
                                  LiteralMergeSimilarities(*data, Linkage::Average), true),
              "");
}

TEST(EdgeValues, AnOverflowingAverageIsAnErrorNeverAnInfiniteHeight)
{
    auto data = EmptyData(4);
    // 1 and 2 merge first; their values to 3 sum beyond the range.
    testing::FillRows(data->DissimMatrix, 4, {0.0L, LDBL_MAX, LDBL_MAX, 1.0L, 1.0L, 1.0L});
    testing::FillRows(data->SimMatrix, 4, {1.0L, LDBL_MAX, LDBL_MAX, -LDBL_MAX, -LDBL_MAX, -LDBL_MAX});
    ComputeSimilarityLevels(*data);
    for (const bool similarities : {false, true}) {
        try {
            similarities ? MergeSimilarities(*data, Linkage::Average)
                         : MergeDissimilarities(*data, Linkage::Average);
            ADD_FAILURE() << "no error, similarities " << similarities;
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find("overflow in the group average"), std::string::npos)
                << error.what();
        }
    }
}

TEST(EdgeValues, LeavesAboveTheLargestSimilarityStayFinite)
{
    auto data = EmptyData(3);
    testing::FillRows(data->SimMatrix, 3, {LDBL_MAX, -LDBL_MAX, 0.0L});
    ComputeSimilarityLevels(*data);
    EXPECT_EQ(data->MaxSimilarity, LDBL_MAX);
    EXPECT_EQ(data->SimLeafHeight, LDBL_MAX);
    const ClusterTree tree = MergeSimilarities(*data, Linkage::Complete);
    EXPECT_EQ(tree.Node(1).Height, LDBL_MAX);
    EXPECT_EQ(Bits(tree.Root().Height), Bits(-LDBL_MAX));
}

// With every value equal the rule merges the two smallest live ids: the
// first pair of the list is always (smallest, next smallest). Live ids stay
// in creation order, so the tree is that of a queue: take two from the
// front, put the new cluster at the back.
std::vector<Merge> QueueMerges(int n, long double value)
{
    std::deque<int> live;
    for (int id = 1; id <= n; ++id)
        live.push_back(id);
    std::vector<Merge> merges;
    for (int id = n + 1; live.size() > 1; ++id) {
        const int left = live.front();
        live.pop_front();
        const int right = live.front();
        live.pop_front();
        merges.push_back({id, left, right, value});
        live.push_back(id);
    }
    return merges;
}

std::string MergeDifference(const std::vector<Merge>& got, const std::vector<Merge>& want)
{
    if (got.size() != want.size())
        return "merge count " + std::to_string(got.size());
    for (std::size_t k = 0; k < got.size(); ++k)
        if (got[k].Id != want[k].Id || got[k].LeftId != want[k].LeftId || got[k].RightId != want[k].RightId ||
            Bits(got[k].Height) != Bits(want[k].Height))
            return "merge " + std::to_string(got[k].Id) + " joins " + std::to_string(got[k].LeftId) +
                   " and " + std::to_string(got[k].RightId) + " at " + Bits(got[k].Height);
    return {};
}

std::vector<Merge> OracleMerges(const std::vector<OracleNode>& nodes)
{
    std::vector<Merge> merges;
    for (const OracleNode& node : nodes)
        if (node.LeftId != 0)
            merges.push_back({node.Id, node.LeftId, node.RightId, node.Height});
    return merges;
}

TEST(EdgeValues, EqualValuesFollowTheTieRuleUpToAThousandObjects)
{
    for (const long double value : {0.0L, 1.0L, -2.5L}) {
        // The queue model against the literal procedure at a size it can afford...
        auto small = EmptyData(27);
        for (int i = 2; i <= 27; ++i)
            for (int j = 1; j < i; ++j)
                small->DissimMatrix(i, j) = small->SimMatrix(i, j) = value;
        ComputeSimilarityLevels(*small);
        for (Linkage linkage : KeepEqualValues) {
            SCOPED_TRACE("value " + std::to_string(static_cast<double>(value)) + ", linkage " +
                         std::to_string(static_cast<int>(linkage)));
            EXPECT_EQ(MergeDifference(OracleMerges(LiteralMergeDissimilarities(*small, linkage)),
                                      QueueMerges(27, value)),
                      "");
            EXPECT_EQ(MergeDifference(OracleMerges(LiteralMergeSimilarities(*small, linkage)),
                                      QueueMerges(27, value)),
                      "");
        }
    }
    // ...and the engine against the queue at the largest size, in both directions.
    const int n = AnalysisData::Capacity;
    auto data = EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) = data->SimMatrix(i, j) = 1.0L;
    ComputeSimilarityLevels(*data);
    const std::vector<Merge> expected = QueueMerges(n, 1.0L);
    for (Linkage linkage : KeepEqualValues) {
        SCOPED_TRACE(static_cast<int>(linkage));
        EXPECT_EQ(MergeDifference(Merges(MergeDissimilarities(*data, linkage)), expected), "");
        EXPECT_EQ(MergeDifference(Merges(MergeSimilarities(*data, linkage)), expected), "");
    }
}

// Objects at i^2 on a line: single linkage adds one object per merge, at the
// gap (k+1)^2 - k^2 = 2k + 1, the deepest tree there is. From the second
// merge on the newcomer has the smaller id and so is the Left child.
TEST(EdgeValues, AThousandObjectChainUnderSingleLinkage)
{
    const int n = AnalysisData::Capacity;
    auto data = EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            const long double d = static_cast<long double>(i) * i - static_cast<long double>(j) * j;
            data->DissimMatrix(i, j) = d;
            data->SimMatrix(i, j) = -d;
        }
    ComputeSimilarityLevels(*data);
    std::vector<Merge> expected{{n + 1, 1, 2, 3.0L}};
    for (int k = 2; k < n; ++k)
        expected.push_back({n + k, k + 1, n + k - 1, 2.0L * k + 1});
    EXPECT_EQ(MergeDifference(Merges(MergeDissimilarities(*data, Linkage::Single)), expected), "");
    for (Merge& merge : expected)
        merge.Height = -merge.Height;
    ClusterTree tree = MergeSimilarities(*data, Linkage::Single);
    EXPECT_EQ(MergeDifference(Merges(tree), expected), "");
    int depth = 0;
    for (const ClusterNode* node = &tree.Root(); !node->IsLeaf(); node = node->Right)
        ++depth;
    EXPECT_EQ(depth, n - 1);
    tree.Free();
    EXPECT_TRUE(tree.Empty());
}

} // namespace
} // namespace vantrel
