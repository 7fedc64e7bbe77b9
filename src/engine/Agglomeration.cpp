// (Opening comment: rewritten below once the design is final.)

#include "engine/Agglomeration.h"

#include "engine/AnalysisData.h"
#include "engine/CandidateMerge.h"
#include "engine/SingleLinkage.h"
#include "platform/core/Errors.h"

namespace vantrel {
namespace {

ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage,
                  bool similarities)
{
    if (linkage != Linkage::Complete && linkage != Linkage::Average && linkage != Linkage::Single)
        throw Error("DistType Error");
    // With fewer than two objects there is no pair whose clusters could be
    // looked up.
    if (n < 2)
        throw Error("Range error in SeekC");
    if (n > matrix.Capacity() || n > AnalysisData::Capacity)
        throw Error("Too many objects for the cluster analysis");
    if (linkage == Linkage::Single)
        if (auto tree = engine::SingleLinkageBySpanningTree(matrix, n, leafHeight, similarities))
            return std::move(*tree);
    return engine::MergeByCandidates(matrix, n, leafHeight, linkage, similarities);
}

} // namespace

ClusterTree MergeDissimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge(data.DissimMatrix, data.ObjectCount, 0.0L, linkage, false);
}

ClusterTree MergeSimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge(data.SimMatrix, data.ObjectCount, data.SimLeafHeight, linkage, true);
}

} // namespace vantrel
