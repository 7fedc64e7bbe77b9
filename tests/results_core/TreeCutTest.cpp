// The cut the results window shows: clusters numbered as vantrel-batch
// numbers them, colours down the rows, and the line kept in step with K.
#include "results/core/TreeCut.h"

#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel {
namespace {

using testing::TreeBuilder;

// Five objects; the rows run 4, 5, 1, 2, 3:
//   6 = (1,2) at 1, 7 = (6,3) at 2, 8 = (4,5) at 3, root 9 = (8,7) at 5.
ClusterTree FiveObjects()
{
    TreeBuilder builder(5);
    builder.Merge(1, 2, 1.0L);
    builder.Merge(6, 3, 2.0L);
    builder.Merge(4, 5, 3.0L);
    builder.Merge(8, 7, 5.0L);
    return builder.Take();
}

TEST(TreeCut, ClustersAreNumberedAsTheBatchDoesAndColouredDownTheRows)
{
    const ClusterTree tree = FiveObjects();
    EXPECT_EQ(LeafRows(tree), (std::vector<std::int32_t>{4, 5, 1, 2, 3}));
    const auto p = [](int k) { return ClusterPalette[static_cast<std::size_t>(k)]; };
    const struct {
        int Count;
        ObjectClusters Clusters;
        std::vector<int> NodeClusters; // ids 1..9
        std::vector<std::uint32_t> Colors; // by cluster number
    } cases[] = {
        {1, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, {p(0)}},
        // {1,2,3} is cluster 1 by its first object, but comes second down
        // the rows, after {4,5}.
        {2, {1, 1, 1, 2, 2}, {1, 1, 1, 2, 2, 1, 1, 2, 0}, {p(1), p(0)}},
        {3, {1, 1, 1, 2, 3}, {1, 1, 1, 2, 3, 1, 1, 0, 0}, {p(2), p(0), p(1)}},
        {5, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 0, 0, 0, 0}, {p(2), p(3), p(4), p(0), p(1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Count);
        const TreeCut cut = CutTree(tree, c.Count);
        EXPECT_EQ(cut.Clusters, c.Clusters);
        EXPECT_EQ(std::vector<int>(cut.NodeClusters.begin() + 1, cut.NodeClusters.end()), c.NodeClusters);
        EXPECT_EQ(std::vector<std::uint32_t>(cut.ClusterColors.begin() + 1, cut.ClusterColors.end()),
                  c.Colors);
        for (std::size_t id = 1; id <= 9; ++id) {
            const int cluster = cut.NodeClusters[id];
            EXPECT_EQ(cut.Decor.NodeColors[id],
                      cluster ? cut.ClusterColors[static_cast<std::size_t>(cluster)] : AboveCutColor);
        }
        for (std::size_t id = 1; id <= 5; ++id)
            EXPECT_EQ(cut.Decor.LeafNotes[id], std::to_string(c.Clusters[id - 1]));
    }
}

TEST(TreeCut, NeighbouringColoursStayApartInGrey)
{
    // Clusters next to each other take neighbouring palette entries, and
    // the palette wraps round; above the cut is black.
    for (std::size_t k = 0; k < ClusterPalette.size(); ++k) {
        const std::uint32_t next = ClusterPalette[(k + 1) % ClusterPalette.size()];
        EXPECT_GE(std::abs(GreyOf(ClusterPalette[k]) - GreyOf(next)), 45) << k;
        EXPECT_GE(GreyOf(ClusterPalette[k]), 60) << k;
        EXPECT_LE(GreyOf(ClusterPalette[k]), 180) << "visible on white paper";
    }
    EXPECT_EQ(GreyOf(0xffffff), 255);
    EXPECT_EQ(GreyOf(AboveCutColor), 0);
}

TEST(TreeCut, TheLineStandsBetweenTheLastMergeKeptAndTheFirstUndone)
{
    const ClusterTree tree = FiveObjects();
    const long double expected[] = {5.0L, 4.0L, 2.5L, 1.5L, 0.5L}; // K = 1..5
    for (int k = 1; k <= 5; ++k) {
        const long double level = CutLineLevel(tree, k, false, 0.0L);
        EXPECT_EQ(level, expected[k - 1]) << k;
        EXPECT_EQ(ClusterCountAtLevel(tree, level, false), k) << "the line leaves the K clusters";
    }

    // Similarities fall from the leaves at 10.
    TreeBuilder sim(3, 10.0L);
    sim.Merge(1, 2, 8.0L);
    sim.Merge(4, 3, 2.0L);
    const ClusterTree simTree = sim.Take();
    EXPECT_EQ(CutLineLevel(simTree, 3, true, 10.0L), 9.0L);
    EXPECT_EQ(CutLineLevel(simTree, 2, true, 10.0L), 5.0L);
    EXPECT_EQ(CutLineLevel(simTree, 1, true, 10.0L), 2.0L);
    EXPECT_EQ(ClusterCountAtLevel(simTree, 5.0L, true), 2);

    // An inversion: the root at 1.5 lies below its part at 2. No level keeps
    // (1,2) apart from 3 while joining 1 and 2, so the line for two clusters
    // stands between the two merges, and a line there leaves three.
    TreeBuilder inverted(3);
    inverted.Merge(1, 2, 2.0L);
    inverted.Merge(4, 3, 1.5L);
    const ClusterTree invertedTree = inverted.Take();
    EXPECT_EQ(CutLineLevel(invertedTree, 2, false, 0.0L), 1.75L);
    EXPECT_EQ(ClusterCountAtLevel(invertedTree, 1.75L, false), 3);
    EXPECT_EQ(CutLineLevel(invertedTree, 1, false, 0.0L), 2.0L) << "the far end of the tree";
}

} // namespace
} // namespace vantrel
