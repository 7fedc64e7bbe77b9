#pragma once

#include "engine/ClusterTree.h"
#include "print/DendrogramLayout.h"
#include "runs/core/TreeResults.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vantrel {

// The cut the results window shows: K clusters, numbered as vantrel-batch
// --clusters numbers them (CutIntoClusters), coloured down the tree.

// The clusters' colours, in the order the clusters come down the rows.
// Neighbours differ in lightness as well as in hue, so that two clusters
// next to each other stay apart when the picture is printed in grey.
inline constexpr std::array<std::uint32_t, 6> ClusterPalette = {
    0x1a4b9a, // dark blue
    0xe69500, // orange
    0xb3202e, // crimson
    0x3aa876, // green
    0x5b2c8f, // purple
    0xb59b00, // olive
};
// The merges above the cut.
inline constexpr std::uint32_t AboveCutColor = 0x000000;

// The grey a colour prints as, 0 (black) to 255 (ITU-R BT.601 luma).
int GreyOf(std::uint32_t rgb);

struct TreeCut {
    int Count = 0;
    // The cluster of each object: entry k - 1 for object k.
    ObjectClusters Clusters;
    // The cluster of every node that lies inside one, by id; 0 above the cut.
    std::vector<int> NodeClusters;
    // Each cluster's colour, by cluster number (index 0 unused).
    std::vector<std::uint32_t> ClusterColors;
    // The colours of the nodes and the cluster number beside each leaf.
    DendrogramDecor Decor;
};

// The leaf ids in the order of the rows, top down.
std::vector<std::int32_t> LeafRows(const ClusterTree& tree);

// Cuts the tree into `count` clusters (1..N; Error otherwise).
TreeCut CutTree(const ClusterTree& tree, int count);

// Where the line of a cut into `count` clusters stands: midway between the
// last merge kept and the first undone. For dissimilarities that is the
// highest level kept (the leaves' level when none is) and the lowest
// undone; for similarities, whose levels fall, the other way round. With
// every merge kept it stands at the tree's far end. Where inversions leave
// no level that separates the K clusters, it stands between the two
// merges that no level separates.
long double CutLineLevel(const ClusterTree& tree, int count, bool similarity, long double leafLevel);

// How many clusters a line at `level` leaves: those CutAtLevel forms.
int ClusterCountAtLevel(const ClusterTree& tree, long double level, bool similarity);

} // namespace vantrel
