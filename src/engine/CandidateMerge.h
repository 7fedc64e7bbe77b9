#pragma once

// Engine-private: the merge steps by candidates, for all seven methods
// (see Agglomeration.cpp).

#include "engine/Agglomeration.h"
#include "engine/ClusterTree.h"

namespace vantrel {
class TriangularMatrix;
}

namespace vantrel::engine {

// Clusters the first `objectCount` objects of `matrix`, merging the nearest
// pair first (the smallest value, or the largest when `similarities`).
// Leaves stand at `leafHeight`. Throws like MergeDissimilarities.
ClusterTree MergeByCandidates(const TriangularMatrix& matrix, int objectCount, long double leafHeight,
                              Linkage linkage, bool similarities);

// The same for ward, centroid, median and weighted only (FormulaMerge.cpp).
ClusterTree MergeByFormula(const TriangularMatrix& matrix, int objectCount, long double leafHeight,
                           Linkage linkage, bool similarities);

} // namespace vantrel::engine
