#pragma once

#include "engine/ClusterTree.h"

#include <cstdint>

namespace vantrel {

struct AnalysisData;

// The linkage methods in the order of the main window's list; the value is
// the DistType of the shared data.
enum class Linkage : std::uint8_t { Complete = 0, Average = 1, Single = 2 };

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
