#pragma once

#include "engine/ClusterTree.h"
#include "engine/Methods.h"

namespace vantrel {

struct AnalysisData;

// Clusters the dissimilarities of data.DissimMatrix for data.ObjectCount
// objects by `linkage` (any of the seven), merging the closest pair first.
// Leaves stand at height 0; for Ward, centroid and median a merge stands at
// the signed square root of its (squared) value. Throws Error("Range error
// in SeekC") for fewer than two objects, and an Error as well for a matrix
// value that is NaN or infinite, a group-average sum that overflows, a
// negative value or a square that overflows for Ward, centroid and median,
// a formula's value that is not finite, more objects than
// AnalysisData::Capacity or a linkage outside the seven ("DistType Error").
ClusterTree MergeDissimilarities(const AnalysisData& data, Linkage linkage);

// Clusters data.SimMatrix, merging the most similar pair first. Leaves stand
// at data.SimLeafHeight (see ComputeSimilarityLevels). Same failures; Ward,
// centroid and median refuse similarities (NeedsDissimilaritiesText).
ClusterTree MergeSimilarities(const AnalysisData& data, Linkage linkage);

} // namespace vantrel
