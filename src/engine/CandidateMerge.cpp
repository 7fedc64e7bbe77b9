// The merge steps by candidates for complete linkage, group average and
// single linkage; FormulaMerge.cpp instantiates the same engine for the
// four formulas, apart, so that neither changes how the compiler builds the
// other. The reasoning is in Agglomeration.cpp.

#include "engine/CandidateMerge.h"

#include "common/Errors.h"
#include "engine/CandidateStep.h"

namespace vantrel::engine {
namespace {

template <class Order>
ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage)
{
    switch (linkage) {
    case Linkage::Complete:
        return CandidateMerge<KeepFarther, Order>(matrix, n, leafHeight).Run();
    case Linkage::Average:
        return CandidateMerge<GroupAverage, Order>(matrix, n, leafHeight).Run();
    case Linkage::Single:
        return CandidateMerge<KeepNearer, Order>(matrix, n, leafHeight).Run();
    default:
        break;
    }
    throw Error("DistType Error");
}

} // namespace

ClusterTree MergeByCandidates(const TriangularMatrix& matrix, int objectCount, long double leafHeight,
                              Linkage linkage, bool similarities)
{
    if (UpdatesByFormula(linkage))
        return MergeByFormula(matrix, objectCount, leafHeight, linkage, similarities);
    return similarities ? Merge<LargestFirst>(matrix, objectCount, leafHeight, linkage)
                        : Merge<SmallestFirst>(matrix, objectCount, leafHeight, linkage);
}

} // namespace vantrel::engine
