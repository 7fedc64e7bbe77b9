#include "engine/Agglomeration.h"

#include "engine/AnalysisData.h"
#include "platform/core/Errors.h"

namespace vantrel {

// Placeholder until the merge steps land.
ClusterTree MergeDissimilarities(const AnalysisData&, Linkage) { throw Error("Range error in SeekC"); }
ClusterTree MergeSimilarities(const AnalysisData&, Linkage) { throw Error("Range error in SeekC"); }

} // namespace vantrel
