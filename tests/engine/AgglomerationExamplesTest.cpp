// Small hand-checked runs of the merge steps: the two- to four-object cases,
// tie order, signed zeros, similarity leaves and the failures.

#include "EngineTestSupport.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace vantrel {
namespace {

using testing::Bits;
using testing::EmptyData;
using testing::FillRows;
using testing::Merges;

constexpr Linkage AllLinkages[] = {Linkage::Complete, Linkage::Average, Linkage::Single};

void ExpectMerge(const ClusterNode& node, std::int32_t id, std::int32_t left, std::int32_t right,
                 long double height)
{
    EXPECT_EQ(node.Id, id);
    ASSERT_NE(node.Left, nullptr);
    ASSERT_NE(node.Right, nullptr);
    EXPECT_EQ(node.Left->Id, left);
    EXPECT_EQ(node.Right->Id, right);
    EXPECT_EQ(Bits(node.Height), Bits(height));
}

TEST(MergeDissimilarities, TwoObjectsMergeOnceAtTheirDistance)
{
    auto data = EmptyData(2);
    data->DissimMatrix(2, 1) = 7.25L;
    for (Linkage linkage : AllLinkages) {
        const ClusterTree tree = MergeDissimilarities(*data, linkage);
        ASSERT_EQ(tree.Size(), 3u);
        ExpectMerge(tree.Root(), 3, 1, 2, 7.25L);
        EXPECT_EQ(tree.Node(1).Height, 0.0L);
        EXPECT_EQ(tree.Node(2).Members, std::vector<std::int32_t>{2});
    }
}

TEST(MergeDissimilarities, ThreeObjectsFollowEachLinkageRule)
{
    auto data = EmptyData(3);
    FillRows(data->DissimMatrix, 3, {1.0L, 4.0L, 2.0L}); // d(1,2)=1, d(1,3)=4, d(2,3)=2
    const long double rootHeight[] = {4.0L, 3.0L, 2.0L};
    for (Linkage linkage : AllLinkages) {
        SCOPED_TRACE(static_cast<int>(linkage));
        const ClusterTree tree = MergeDissimilarities(*data, linkage);
        ExpectMerge(tree.Node(4), 4, 1, 2, 1.0L);
        // The older cluster of an appended pair is its Left child.
        ExpectMerge(tree.Root(), 5, 3, 4, rootHeight[static_cast<int>(linkage)]);
    }
}

TEST(MergeDissimilarities, EqualDistancesMergeInListOrder)
{
    auto data = EmptyData(4);
    FillRows(data->DissimMatrix, 4, {3.0L, 3.0L, 3.0L, 3.0L, 3.0L, 3.0L});
    for (Linkage linkage : AllLinkages) {
        const ClusterTree tree = MergeDissimilarities(*data, linkage);
        ExpectMerge(tree.Node(5), 5, 1, 2, 3.0L);
        ExpectMerge(tree.Node(6), 6, 3, 4, 3.0L);
        ExpectMerge(tree.Node(7), 7, 5, 6, 3.0L);
    }
}

TEST(MergeDissimilarities, TieBetweenAnInitialAndAnAppendedPairGoesToTheInitialOne)
{
    // After (1,2) merges at 1 into 5, complete linkage gives d(3,5) = 2,
    // which ties with the initial pair (3,4) = 2; the initial pair is first.
    auto data = EmptyData(4);
    FillRows(data->DissimMatrix, 4, {1.0L, 2.0L, 2.0L, 9.0L, 9.0L, 2.0L});
    const ClusterTree tree = MergeDissimilarities(*data, Linkage::Complete);
    ExpectMerge(tree.Node(6), 6, 3, 4, 2.0L);
    ExpectMerge(tree.Root(), 7, 5, 6, 9.0L);
}

TEST(MergeDissimilarities, EqualValuesOfBothChildrenKeepTheSecondOnesSign)
{
    // d(3,1) and d(3,2) are +0 and -0 (or the reverse): the rules keep d2,
    // the value to the Right child, whenever the two compare equal.
    for (const bool negativeSecond : {true, false}) {
        auto data = EmptyData(3);
        const long double d1 = negativeSecond ? 0.0L : -0.0L;
        const long double d2 = negativeSecond ? -0.0L : 0.0L;
        FillRows(data->DissimMatrix, 3, {-1.0L, d1, d2});
        for (Linkage linkage : {Linkage::Complete, Linkage::Single}) {
            const ClusterTree tree = MergeDissimilarities(*data, linkage);
            EXPECT_EQ(Bits(tree.Root().Height), Bits(d2));
        }
        // The mean starts from +0, so a sum of zeros is +0 whatever the signs.
        EXPECT_EQ(Bits(MergeDissimilarities(*data, Linkage::Average).Root().Height), Bits(0.0L));
    }
}

TEST(MergeDissimilarities, GroupAverageListsMembersInAscendingOrder)
{
    auto data = EmptyData(4);
    // (2,4) first, then (1,3), then the two pairs.
    FillRows(data->DissimMatrix, 4, {5.0L, 2.0L, 6.0L, 7.0L, 1.0L, 8.0L});
    const ClusterTree tree = MergeDissimilarities(*data, Linkage::Average);
    ExpectMerge(tree.Node(5), 5, 2, 4, 1.0L);
    ExpectMerge(tree.Node(6), 6, 1, 3, 2.0L);
    EXPECT_EQ(tree.Root().Members, (std::vector<std::int32_t>{1, 2, 3, 4}));
    // Objects of cluster 5 outer, of cluster 6 inner: (2,1), (2,3), (4,1), (4,3).
    EXPECT_EQ(Bits(tree.Root().Height), Bits((5.0L + 6.0L + 7.0L + 8.0L) / 4));
}

TEST(MergeDissimilarities, FullRunHandsOutIdsInMergeOrder)
{
    const int n = 30;
    auto data = EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) = static_cast<long double>((i * 7 + j * 13) % 11);
    for (Linkage linkage : AllLinkages) {
        const ClusterTree tree = MergeDissimilarities(*data, linkage);
        ASSERT_EQ(tree.Size(), static_cast<std::size_t>(2 * n - 1));
        for (int id = 1; id <= 2 * n - 1; ++id)
            EXPECT_EQ(tree.Node(id).Id, id);
        EXPECT_EQ(tree.Root().Id, 2 * n - 1);
        // Every node but the root is the child of exactly one merge.
        std::vector<int> parents(2 * n, 0);
        for (const auto& merge : Merges(tree)) {
            ++parents[merge.LeftId];
            ++parents[merge.RightId];
            EXPECT_LT(merge.LeftId, merge.RightId);
            EXPECT_LT(merge.RightId, merge.Id);
        }
        for (int id = 1; id < 2 * n - 1; ++id)
            EXPECT_EQ(parents[id], 1) << id;
    }
}

TEST(MergeDissimilarities, ValuesBeyondTheObjectCountAreNeverRead)
{
    // What an earlier, larger data set left behind must not matter.
    auto data = EmptyData(4);
    FillRows(data->DissimMatrix, 4, {1.0L, 2.0L, 3.0L, 4.0L, 5.0L, 6.0L});
    for (int j = 1; j <= 4; ++j)
        data->DissimMatrix(5, j) = std::numeric_limits<long double>::quiet_NaN();
    for (Linkage linkage : AllLinkages)
        EXPECT_EQ(MergeDissimilarities(*data, linkage).Size(), 7u);
}

TEST(MergeDissimilarities, TheLargestDataSetCompletes)
{
    const int n = AnalysisData::Capacity;
    auto data = EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) = static_cast<long double>((i * 31 + j * 17) % 97) / 7;
    for (Linkage linkage : AllLinkages) {
        const ClusterTree tree = MergeDissimilarities(*data, linkage);
        ASSERT_EQ(tree.Size(), static_cast<std::size_t>(2 * n - 1));
        EXPECT_EQ(tree.Root().Id, 2 * n - 1);
        if (linkage == Linkage::Average) {
            EXPECT_EQ(tree.Root().Members.size(), static_cast<std::size_t>(n));
        }
    }
}

TEST(MergeSimilarities, ThreeObjectsMergeTheMostSimilarFirst)
{
    auto data = EmptyData(3);
    FillRows(data->SimMatrix, 3, {0.9L, 0.2L, 0.5L});
    ComputeSimilarityLevels(*data);
    const long double rootHeight[] = {0.2L, (0.0L + 0.2L + 0.5L) / 2, 0.5L};
    for (Linkage linkage : AllLinkages) {
        SCOPED_TRACE(static_cast<int>(linkage));
        const ClusterTree tree = MergeSimilarities(*data, linkage);
        ExpectMerge(tree.Node(4), 4, 1, 2, 0.9L);
        ExpectMerge(tree.Root(), 5, 3, 4, rootHeight[static_cast<int>(linkage)]);
        for (int leaf = 1; leaf <= 3; ++leaf)
            EXPECT_EQ(Bits(tree.Node(leaf).Height), Bits(0.9L / 3 + 0.9L));
    }
}

TEST(MergeSimilarities, NegativeSimilaritiesClusterWithLeavesAtZero)
{
    auto data = EmptyData(4);
    FillRows(data->SimMatrix, 4, {-5.0L, -1.0L, -2.0L, -3.0L, -4.0L, -1.0L});
    ComputeSimilarityLevels(*data);
    EXPECT_EQ(data->MaxSimilarity, 0.0L);
    EXPECT_EQ(data->SimLeafHeight, 0.0L);
    const ClusterTree tree = MergeSimilarities(*data, Linkage::Single);
    // (1,3) and (3,4) tie at -1: (1,3) comes first in the list.
    ExpectMerge(tree.Node(5), 5, 1, 3, -1.0L);
    ExpectMerge(tree.Node(6), 6, 4, 5, -1.0L);
    ExpectMerge(tree.Root(), 7, 2, 6, -2.0L);
    EXPECT_EQ(tree.Node(4).Height, 0.0L);
}

TEST(MergeSimilarities, EqualSimilaritiesMergeInListOrder)
{
    auto data = EmptyData(4);
    FillRows(data->SimMatrix, 4, {0.5L, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L});
    ComputeSimilarityLevels(*data);
    for (Linkage linkage : AllLinkages) {
        const ClusterTree tree = MergeSimilarities(*data, linkage);
        ExpectMerge(tree.Node(5), 5, 1, 2, 0.5L);
        ExpectMerge(tree.Node(6), 6, 3, 4, 0.5L);
        ExpectMerge(tree.Node(7), 7, 5, 6, 0.5L);
    }
}

TEST(ComputeSimilarityLevels, LeavesStandAboveTheLargestSimilarity)
{
    auto data = EmptyData(4);
    FillRows(data->SimMatrix, 4, {0.25L, 3.0L, -7.0L, 1.0L, 3.0L, 2.0L});
    ComputeSimilarityLevels(*data);
    EXPECT_EQ(data->MaxSimilarity, 3.0L);
    EXPECT_EQ(Bits(data->SimLeafHeight), Bits(3.0L / 4 + 3.0L));
}

TEST(MergeFailures, FewerThanTwoObjectsFailInSeekC)
{
    for (const int n : {0, 1}) {
        auto data = EmptyData(n);
        for (Linkage linkage : AllLinkages) {
            try {
                MergeDissimilarities(*data, linkage);
                ADD_FAILURE() << "no error for " << n << " objects";
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), "Range error in SeekC");
            }
            EXPECT_THROW(MergeSimilarities(*data, linkage), Error);
        }
    }
}

TEST(MergeFailures, NonFiniteValuesNeverReachTheTree)
{
    auto data = EmptyData(3);
    FillRows(data->DissimMatrix, 3, {1.0L, std::numeric_limits<long double>::quiet_NaN(), 2.0L});
    for (Linkage linkage : AllLinkages)
        EXPECT_THROW(MergeDissimilarities(*data, linkage), Error);

    FillRows(data->SimMatrix, 3, {1.0L, std::numeric_limits<long double>::infinity(), 2.0L});
    for (Linkage linkage : AllLinkages)
        EXPECT_THROW(MergeSimilarities(*data, linkage), Error);
}

TEST(MergeFailures, OverflowingGroupAverageIsAnError)
{
    auto data = EmptyData(3);
    FillRows(data->DissimMatrix, 3, {LDBL_MAX, LDBL_MAX, LDBL_MAX});
    EXPECT_THROW(MergeDissimilarities(*data, Linkage::Average), Error);
    // The other rules only pick existing values.
    EXPECT_EQ(MergeDissimilarities(*data, Linkage::Complete).Root().Height, LDBL_MAX);
}

TEST(MergeFailures, MoreObjectsThanTheCapacityAreRefused)
{
    auto data = EmptyData(AnalysisData::Capacity + 1);
    EXPECT_THROW(MergeDissimilarities(*data, Linkage::Single), Error);
}

TEST(MergeFailures, AnUnknownLinkageIsADistTypeError)
{
    auto data = EmptyData(3);
    try {
        MergeSimilarities(*data, static_cast<Linkage>(3));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "DistType Error");
    }
}

} // namespace
} // namespace vantrel
