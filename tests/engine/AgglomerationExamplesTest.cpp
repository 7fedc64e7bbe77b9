// Small hand-checked runs of the merge steps: the two- to four-object cases,
// tie order, signed zeros, similarity leaves, an inversion and the failures.

#include "EngineTestSupport.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

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
    // Ward, centroid and median list the squares 1, 16, 4; (1,2) merges at 1
    // (height 1), then x = 3 has d1 = 16, d2 = 4, d12 = 1, every count 1:
    //   ward:     ((1+1)*16 + (1+1)*4 - 1*1) / (1+1+1) = 39 / 3 = 13
    //   centroid: (1*16 + 1*4 - 1*1*1/(1+1)) / (1+1) = 19.5 / 2 = 9.75
    //   median:   16/2 + 4/2 - 1/4 = 9.75
    //   weighted: (4 + 2) / 2 = 3, on the values themselves.
    const long double rootHeight[] = {4.0L, 3.0L, 2.0L, sqrtl(13.0L), sqrtl(9.75L), sqrtl(9.75L), 3.0L};
    for (Linkage linkage : testing::SevenLinkages) {
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

// Objects 1, 2, 3 at 2 from each other (a triangle), object 4 at 10 from
// each. The squares: 4 among the three, 100 to object 4. (1,2) merges first
// at 4, height 2; then x = 3 (d1 = d2 = 4) and x = 4 (d1 = d2 = 100):
//   ward:     (2*4 + 2*4 - 4) / 3 = 4;  (2*100 + 2*100 - 4) / 3 = 132
//   centroid: (4 + 4 - 1*1*4/2) / 2 = 3;  (100 + 100 - 2) / 2 = 99
//   median:   4/2 + 4/2 - 4/4 = 3;  100/2 + 100/2 - 4/4 = 99
//   weighted: (2 + 2) / 2 = 2;  (10 + 10) / 2 = 10
// (3,5) merges next (Left 3, Right 5 of 2 objects), centroid and median at
// sqrt 3 < 2: an inversion. Last x = 4 with d1 = 100, d2 as above, na = 1,
// nb = 2:
//   ward:     ((1+1)*100 + (1+2)*132 - 1*4) / (1+1+2) = 592 / 4 = 148
//   centroid: (1*100 + 2*99 - 1*2*3/(1+2)) / (1+2) = (298 - 2) / 3 = 296/3
//   median:   100/2 + 99/2 - 3/4 = 98.75
//   weighted: (10 + 10) / 2 = 10
TEST(MergeDissimilarities, TheFormulasOnATriangleAndAFarPoint)
{
    struct Case {
        Linkage Method;
        long double Heights[3];
    };
    const Case cases[] = {
        {Linkage::Ward, {2.0L, 2.0L, sqrtl(148.0L)}},
        {Linkage::Centroid, {2.0L, sqrtl(3.0L), sqrtl(296.0L / 3.0L)}},
        {Linkage::Median, {2.0L, sqrtl(3.0L), sqrtl(98.75L)}},
        {Linkage::Weighted, {2.0L, 2.0L, 10.0L}},
    };
    auto data = EmptyData(4);
    FillRows(data->DissimMatrix, 4, {2.0L, 2.0L, 2.0L, 10.0L, 10.0L, 10.0L});
    for (const Case& c : cases) {
        SCOPED_TRACE(MethodKey(c.Method));
        const ClusterTree tree = MergeDissimilarities(*data, c.Method);
        ExpectMerge(tree.Node(5), 5, 1, 2, c.Heights[0]);
        ExpectMerge(tree.Node(6), 6, 3, 5, c.Heights[1]);
        ExpectMerge(tree.Root(), 7, 4, 6, c.Heights[2]);
    }
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
    const long double rootHeight[] = {0.2L, (0.0L + 0.2L + 0.5L) / 2, 0.5L, 0, 0, 0, (0.2L + 0.5L) / 2};
    for (Linkage linkage : testing::SevenLinkages) {
        if (!AcceptsSimilarities(linkage))
            continue;
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
    EXPECT_THROW(MergeSimilarities(*data, Linkage::Weighted), Error);

    // Even after a negative value, a value that is not finite is what every
    // method refuses first.
    FillRows(data->DissimMatrix, 3, {-1.0L, std::numeric_limits<long double>::quiet_NaN(), 2.0L});
    for (Linkage linkage : testing::SevenLinkages) {
        try {
            MergeDissimilarities(*data, linkage);
            ADD_FAILURE() << "no error, " << MethodKey(linkage);
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "The matrix holds a value that is not a finite number")
                << MethodKey(linkage);
        }
    }
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
        MergeSimilarities(*data, static_cast<Linkage>(LinkageCount));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "DistType Error");
    }
}

// What ward, centroid, median and weighted refuse, with the first pair in
// list order that fails: (1,2), (1,3), (2,3), (1,4), ...
TEST(MergeFailures, TheFormulasRefuseWhatTheyCannotHold)
{
    struct Case {
        Linkage Method;
        bool Similarities;
        long double Values[6]; // four objects, row by row
        const char* Message;
    };
    const Case cases[] = {
        {Linkage::Ward,
         false,
         {1.0L, 2.0L, -3.0L, 4.0L, -5.0L, 6.0L},
         "Ward's method needs dissimilarities of 0 or more; the dissimilarity of objects 2 and 3 is "
         "negative."},
        {Linkage::Centroid,
         false,
         {1.0L, 1e3000L, -1.0L, 1.0L, 1.0L, 1.0L},
         "Floating point overflow in the centroid method: the square of the dissimilarity of objects 1 and 3 "
         "is "
         "too large."},
        // 1e2466 squared is below the largest value; the update doubles it.
        {Linkage::Ward,
         false,
         {0.0L, 1e2466L, 1e2466L, 1.0L, 1.0L, 1.0L},
         "Floating point overflow in Ward's method: a merged cluster's value to another cluster goes beyond "
         "the "
         "range of numbers."},
        {Linkage::Weighted,
         true,
         {LDBL_MAX, -LDBL_MAX, -LDBL_MAX, 1.0L, 1.0L, 1.0L},
         "Floating point overflow in weighted average: a merged cluster's value to another cluster goes "
         "beyond "
         "the range of numbers."},
        {Linkage::Median,
         true,
         {1.0L, 1.0L, 1.0L, 1.0L, 1.0L, 1.0L},
         "The median method needs dissimilarities; it cannot cluster similarities."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        auto data = EmptyData(4);
        TriangularMatrix& matrix = c.Similarities ? data->SimMatrix : data->DissimMatrix;
        for (int i = 2, k = 0; i <= 4; ++i)
            for (int j = 1; j < i; ++j)
                matrix(i, j) = c.Values[k++];
        ComputeSimilarityLevels(*data);
        try {
            c.Similarities ? MergeSimilarities(*data, c.Method) : MergeDissimilarities(*data, c.Method);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.Message);
        }
        // The literal procedure refuses the same data the same way.
        EXPECT_EQ(testing::Disagreement(*data, c.Method, c.Similarities), "");
    }
    // -0 is not negative; weighted average takes negative values: (2,3)
    // first at -2, then 1 at (-0 + 1) / 2.
    auto data = EmptyData(3);
    FillRows(data->DissimMatrix, 3, {-0.0L, 1.0L, 1.0L});
    EXPECT_EQ(Bits(MergeDissimilarities(*data, Linkage::Median).Node(4).Height), Bits(0.0L));
    FillRows(data->DissimMatrix, 3, {-0.0L, 1.0L, -2.0L});
    const ClusterTree tree = MergeDissimilarities(*data, Linkage::Weighted);
    ExpectMerge(tree.Node(4), 4, 2, 3, -2.0L);
    ExpectMerge(tree.Root(), 5, 1, 4, 0.5L);
}

// Negative values at random places: the first in list order is named.
TEST(MergeFailures, TheFirstNegativeValueInListOrderIsNamed)
{
    std::mt19937_64 random(20261210);
    for (int round = 0; round < 20; ++round) {
        const int n = 2 + static_cast<int>(random() % 60);
        auto data = EmptyData(n);
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                data->DissimMatrix(i, j) = random() % 16 == 0 ? -1.0L : 1.0L;
        for (const Linkage linkage : {Linkage::Ward, Linkage::Centroid, Linkage::Median})
            EXPECT_EQ(testing::Disagreement(*data, linkage, false), "") << "round " << round;
    }
}

} // namespace
} // namespace vantrel
