#pragma once

#include "engine/ClusterTree.h"
#include "engine/TriangularMatrix.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// What a finished tree gives beyond its page: the agglomeration schedule,
// flat clusters from a cut, the cophenetic levels and their correlation with
// the input. Each reads the nodes in id order (leaves 1..N, then the merges
// N+1..2N-1 in merge order) and takes the levels at their full 80 bits.

// A level as vantrel-batch prints it: "%.21Lg", enough digits for strtold
// to give the same 80-bit value back.
std::string LevelText(long double level);

// One merge of the schedule.
struct ScheduleRow {
    int Stage = 0; // 1..N-1
    std::int32_t Cluster = 0;
    std::int32_t Left = 0;
    std::int32_t Right = 0;
    long double Height = 0.0L;
    int Size = 0; // objects in the new cluster
};

// One row per merge, in merge order.
std::vector<ScheduleRow> AgglomerationSchedule(const ClusterTree& tree);

// The cluster of each object: entry k - 1 for object k. Clusters are
// numbered 1, 2, ... in the order of their first object.
using ObjectClusters = std::vector<int>;

// K clusters: the last K - 1 merges undone. Throws Error unless 1 <= K <= N.
ObjectClusters CutIntoClusters(const ClusterTree& tree, long long clusterCount);
// The check of CutIntoClusters, for use before the tree is built.
void CheckClusterCount(long long clusterCount, int objectCount);

// The clusters that the merges at a level <= `level` form (>= for
// similarities, whose levels fall towards the root). A merge counts only
// when the merges below it count too, since a cluster exists only once both
// of its parts do: in a tree whose levels never turn back (the trees of
// every method but centroid and median, up to rounding) that is exactly the
// merges at such a level, and elsewhere no cluster holds a merge beyond the
// cut.
ObjectClusters CutAtLevel(const ClusterTree& tree, long double level, bool similarity);

// The merges that lie below one of their parts: a merge whose level is
// below the level of a merge it joins (above it for similarities, whose
// levels fall towards the root); a merge below both of its parts counts
// once. Of the seven methods only centroid and median make them. Leaves are
// no merges: where they stand is the page's choice, and a tree of the other
// methods on negative dissimilarities merges below them without turning
// back.
int CountInversions(const ClusterTree& tree, bool similarity);

// The cophenetic level of every object pair: the level of the merge that
// first joins the two objects. Element (i, j), i > j, as in the input
// matrices.
TriangularMatrix CopheneticLevels(const ClusterTree& tree);

// The Pearson correlation between the cophenetic levels and the input
// values over all N(N-1)/2 pairs; no value when either side does not vary.
struct CopheneticCorrelation {
    std::optional<long double> R;
    bool LevelsConstant = false;
    bool InputConstant = false;
};
CopheneticCorrelation CorrelateCophenetic(const TriangularMatrix& levels, const TriangularMatrix& input,
                                          int objectCount);

// The line vantrel-batch prints: "cophenetic correlation: " and r, or the
// reason it is undefined. No line end.
std::string CopheneticCorrelationLine(const CopheneticCorrelation& correlation);

} // namespace vantrel
