#pragma once

#include "engine/ClusterTree.h"
#include "engine/Methods.h"

namespace vantrel {

struct AnalysisData;

// Clusters the dissimilarities of data.DissimMatrix for data.ObjectCount
// objects, merging the closest pair first. Leaves stand at height 0.
// Throws Error("Range error in SeekC") for fewer than two objects, and an
// Error as well for a matrix value that is NaN or infinite, a group-average
// sum that overflows, more objects than AnalysisData::Capacity or a linkage
// outside the three ("DistType Error").
ClusterTree MergeDissimilarities(const AnalysisData& data, Linkage linkage);

// Clusters data.SimMatrix, merging the most similar pair first. Leaves stand
// at data.SimLeafHeight (see ComputeSimilarityLevels). Same failure.
ClusterTree MergeSimilarities(const AnalysisData& data, Linkage linkage);

} // namespace vantrel
