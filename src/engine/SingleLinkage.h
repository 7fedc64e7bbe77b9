#pragma once

// Engine-private: single linkage from a minimum spanning tree (see
// Agglomeration.cpp for why this gives the prescribed tree).

#include "engine/ClusterTree.h"

#include <optional>

namespace vantrel {
class TriangularMatrix;
}

namespace vantrel::engine {

// The single-linkage tree of the first `objectCount` (>= 2) objects,
// nearest pair first (the smallest value, or the largest when
// `similarities`), leaves at `leafHeight`. Empty when the data hold two
// encodings of one value (both signed zeros, or a pseudo-denormal), whose
// merge levels then depend on the order of the updates that only the
// candidate engine follows, or a value that is not finite, which the
// candidate engine reports.
std::optional<ClusterTree> SingleLinkageBySpanningTree(const TriangularMatrix& matrix, int objectCount,
                                                       long double leafHeight, bool similarities);

} // namespace vantrel::engine
