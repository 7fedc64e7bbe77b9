// The tree's results on small trees worked out by hand.
#include "runs/core/TreeResults.h"

#include "common/Errors.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel {
namespace {

using testing::TreeBuilder;

// Five objects: 6 = (2,4) at 1, then a tie at 2: 7 = (1,3) and 8 = (6,5),
// and the root 9 = (7,8) at 5.
ClusterTree FiveObjects()
{
    TreeBuilder tree(5);
    tree.Merge(2, 4, 1.0L);
    tree.Merge(1, 3, 2.0L);
    tree.Merge(6, 5, 2.0L);
    tree.Merge(7, 8, 5.0L);
    return tree.Take();
}

// The same shape on similarities, which fall towards the root.
ClusterTree FiveSimilarities()
{
    TreeBuilder tree(5, 1.08L);
    tree.Merge(2, 4, 0.9L);
    tree.Merge(1, 3, 0.5L);
    tree.Merge(6, 5, 0.5L);
    tree.Merge(7, 8, 0.1L);
    return tree.Take();
}

TEST(TreeResults, CutsByCountUndoTheLastMerges)
{
    const ClusterTree tree = FiveObjects();
    const std::vector<std::pair<int, ObjectClusters>> cases = {
        {1, {1, 1, 1, 1, 1}}, {2, {1, 2, 1, 2, 2}}, {3, {1, 2, 1, 2, 3}},
        {4, {1, 2, 3, 2, 4}}, {5, {1, 2, 3, 4, 5}},
    };
    for (const auto& [k, clusters] : cases)
        EXPECT_EQ(CutIntoClusters(tree, k), clusters) << "K = " << k;
    for (const long long k : {0LL, 6LL, -1LL}) {
        try {
            CutIntoClusters(tree, k);
            ADD_FAILURE() << "K = " << k;
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), "A cut into " + std::to_string(k) +
                                                     " clusters is not possible: the number of clusters must "
                                                     "be from 1 to 5, the number of objects.");
        }
    }
}

TEST(TreeResults, CutsAtALevelKeepTheMergesUpToIt)
{
    const ClusterTree tree = FiveObjects();
    const ClusterTree similar = FiveSimilarities();
    struct Case {
        const ClusterTree& Tree;
        bool Similarity;
        long double Level;
        ObjectClusters Clusters;
    };
    const Case cases[] = {
        {tree, false, 0.5L, {1, 2, 3, 4, 5}},
        {tree, false, 1.999L, {1, 2, 3, 2, 4}},
        // A level equal to the tied merges keeps both.
        {tree, false, 2.0L, {1, 2, 1, 2, 2}},
        {tree, false, 5.0L, {1, 1, 1, 1, 1}},
        {similar, true, 0.5000001L, {1, 2, 3, 2, 4}},
        {similar, true, 0.5L, {1, 2, 1, 2, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutAtLevel(c.Tree, c.Level, c.Similarity), c.Clusters) << static_cast<double>(c.Level);

    // A level that turns back: 5 = (1,2) at 3, 6 = (5,3) at 1. At 2 the
    // merge at 1 has a part beyond the cut, so it cannot stand.
    TreeBuilder inverted(3);
    inverted.Merge(1, 2, 3.0L);
    inverted.Merge(4, 3, 1.0L);
    const ClusterTree turned = inverted.Take();
    EXPECT_EQ(CutAtLevel(turned, 2.0L, false), (ObjectClusters{1, 2, 3}));
    EXPECT_EQ(CutAtLevel(turned, 3.0L, false), (ObjectClusters{1, 1, 1}));
}

TEST(TreeResults, InversionsAreMergesBelowOneOfTheirParts)
{
    struct Merge {
        int Left, Right;
        long double Height;
    };
    struct Case {
        const char* Shape;
        int Leaves;
        long double LeafHeight;
        std::vector<Merge> Merges;
        bool Similarity;
        int Inversions;
    };
    const Case cases[] = {
        {"levels rising, with a tie", 4, 0.0L, {{1, 2, 1}, {3, 4, 2}, {5, 6, 2}}, false, 0},
        {"root below the merge it joins", 3, 0.0L, {{1, 2, 2}, {3, 4, 1.5L}}, false, 1},
        {"below both parts counts once", 5, 0.0L, {{1, 2, 3}, {3, 4, 4}, {6, 7, 2}, {8, 5, 5}}, false, 1},
        // Leaves are no merges: complete linkage on negative values.
        {"negative levels rising", 3, 0.0L, {{1, 2, -3}, {4, 3, -1}}, false, 0},
        {"two turns", 4, 0.0L, {{1, 2, 2}, {5, 3, 1}, {6, 4, 0.5L}}, false, 2},
        {"similarities falling", 3, 1.08L, {{1, 2, 0.9L}, {4, 3, 0.1L}}, true, 0},
        {"similarity above its part", 3, 1.08L, {{1, 2, 0.5L}, {4, 3, 0.7L}}, true, 1},
    };
    for (const Case& c : cases) {
        TreeBuilder builder(c.Leaves, c.LeafHeight);
        for (const Merge& merge : c.Merges)
            builder.Merge(merge.Left, merge.Right, merge.Height);
        EXPECT_EQ(CountInversions(builder.Take(), c.Similarity), c.Inversions) << c.Shape;
    }
}

// The pairs (2,1), (3,1), (3,2) of three objects.
TriangularMatrix Three(const long double (&values)[3])
{
    TriangularMatrix matrix(3);
    matrix(2, 1) = values[0];
    matrix(3, 1) = values[1];
    matrix(3, 2) = values[2];
    return matrix;
}

// Three objects with d(1,2) = 1, d(1,3) = 4, d(2,3) = 2, clustered by
// complete linkage: cophenetic levels 1, 4, 4, so r = 4 / sqrt(6 * 14/3) =
// 2 / sqrt(7). The similarities 0.9, 0.2, 0.5 give levels 0.9, 0.2, 0.2 and
// r = 231 / sqrt(294 * 222).
TEST(TreeResults, CopheneticCorrelationWorkedByHand)
{
    struct Case {
        long double Values[3]; // (2,1), (3,1), (3,2)
        long double Levels[3];
        long double R;
    };
    const Case cases[] = {
        {{1, 4, 2}, {1, 4, 4}, 0.75592894601845445443L},
        {{0.9L, 0.2L, 0.5L}, {0.9L, 0.2L, 0.2L}, 0.90419443017946508891L},
        // Levels beyond the range of their squares, and of their differences.
        {{-1.18e4932L, 1.18e4932L, 1.18e4932L}, {-1.18e4932L, 1.18e4932L, 1.18e4932L}, 1.0L},
    };
    for (const Case& c : cases) {
        const CopheneticCorrelation result = CorrelateCophenetic(Three(c.Levels), Three(c.Values), 3);
        ASSERT_TRUE(result.R);
        EXPECT_NEAR(static_cast<double>(*result.R), static_cast<double>(c.R), 1e-15);
        EXPECT_TRUE(std::isfinite(*result.R));
    }
}

TEST(TreeResults, CopheneticCorrelationIsUndefinedWithoutVariance)
{
    // Single linkage of 1, 1, 2 joins everything at 1.
    const TriangularMatrix levels = Three({1, 1, 1});
    EXPECT_EQ(CopheneticCorrelationLine(CorrelateCophenetic(levels, Three({1, 1, 2}), 3)),
              "cophenetic correlation: undefined (the cophenetic levels do not vary)");
    EXPECT_EQ(CopheneticCorrelationLine(CorrelateCophenetic(levels, levels, 3)),
              "cophenetic correlation: undefined (neither the cophenetic levels nor the input values vary)");
    // Two objects: a single pair never varies.
    EXPECT_FALSE(CorrelateCophenetic(levels, Three({1, 2, 3}), 2).R);
    EXPECT_EQ(CopheneticCorrelationLine({0.5L, false, false}), "cophenetic correlation: 0.5");
}

} // namespace
} // namespace vantrel
