#include "results/core/TreeCut.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vantrel {

int GreyOf(std::uint32_t rgb)
{
    const int r = static_cast<int>((rgb >> 16) & 0xff);
    const int g = static_cast<int>((rgb >> 8) & 0xff);
    const int b = static_cast<int>(rgb & 0xff);
    return (299 * r + 587 * g + 114 * b + 500) / 1000;
}

std::vector<std::int32_t> LeafRows(const ClusterTree& tree)
{
    if (tree.Empty())
        return {};
    DendrogramLayout walk;
    PlaceRows(tree.Root(), walk);
    return walk.Rows;
}

TreeCut CutTree(const ClusterTree& tree, int count)
{
    const int n = tree.LeafCount();
    TreeCut cut;
    cut.Count = count;
    cut.Clusters = CutIntoClusters(tree, count);
    // Merges n+1 .. 2n-K are kept, and each lies inside its parts' cluster;
    // parts come before the merges they form.
    const int lastKept = 2 * n - count;
    cut.NodeClusters.assign(tree.Size() + 1, 0);
    for (const auto& node : tree.Nodes()) {
        const auto id = static_cast<std::size_t>(node->Id);
        if (node->IsLeaf())
            cut.NodeClusters[id] = cut.Clusters[id - 1];
        else if (node->Id <= lastKept)
            cut.NodeClusters[id] = cut.NodeClusters[static_cast<std::size_t>(node->Left->Id)];
    }
    // Colours go round the palette in the order the clusters come down the
    // rows, so that clusters next to each other never share one.
    cut.ClusterColors.assign(static_cast<std::size_t>(count) + 1, AboveCutColor);
    std::vector<bool> met(static_cast<std::size_t>(count) + 1, false);
    std::size_t next = 0;
    for (const std::int32_t leaf : LeafRows(tree)) {
        const auto cluster = static_cast<std::size_t>(cut.Clusters[static_cast<std::size_t>(leaf - 1)]);
        if (!met[cluster]) {
            met[cluster] = true;
            cut.ClusterColors[cluster] = ClusterPalette[next++ % ClusterPalette.size()];
        }
    }
    cut.Decor.NodeColors.assign(tree.Size() + 1, AboveCutColor);
    cut.Decor.LeafNotes.assign(static_cast<std::size_t>(n) + 1, std::string());
    for (std::size_t id = 1; id <= tree.Size(); ++id) {
        const int cluster = cut.NodeClusters[id];
        if (cluster != 0)
            cut.Decor.NodeColors[id] = cut.ClusterColors[static_cast<std::size_t>(cluster)];
        if (id <= static_cast<std::size_t>(n))
            cut.Decor.LeafNotes[id] = std::to_string(cluster);
    }
    return cut;
}

long double CutLineLevel(const ClusterTree& tree, int count, bool similarity, long double leafLevel)
{
    const int n = tree.LeafCount();
    CheckClusterCount(count, n);
    // "Beyond" in the direction the levels run from the leaves.
    const auto beyond = [similarity](long double a, long double b) { return similarity ? a < b : a > b; };
    const int lastKept = 2 * n - count;
    bool anyKept = false;
    bool anyUndone = false;
    long double kept = leafLevel;
    long double undone = leafLevel;
    for (const auto& node : tree.Nodes()) {
        if (node->IsLeaf())
            continue;
        if (node->Id <= lastKept) {
            if (!anyKept || beyond(node->Height, kept))
                kept = node->Height;
            anyKept = true;
        } else {
            if (!anyUndone || beyond(undone, node->Height))
                undone = node->Height;
            anyUndone = true;
        }
    }
    if (!anyUndone)
        return kept;
    return kept / 2 + undone / 2;
}

int ClusterCountAtLevel(const ClusterTree& tree, long double level, bool similarity)
{
    const ObjectClusters clusters = CutAtLevel(tree, level, similarity);
    return clusters.empty() ? 0 : *std::max_element(clusters.begin(), clusters.end());
}

} // namespace vantrel
