// The merge steps by candidates for Ward's method, the centroid and the
// median method and weighted average: the engine of CandidateMerge.cpp with
// the rules' formulas (MergeRules.h), instantiated in a file of its own.

#include "engine/CandidateMerge.h"

#include "common/Errors.h"
#include "engine/CandidateStep.h"

namespace vantrel::engine {
namespace {

template <class Order>
ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage)
{
    switch (linkage) {
    case Linkage::Weighted:
        return CandidateMerge<WeightedAverage, Order>(matrix, n, leafHeight).Run();
    case Linkage::Ward:
    case Linkage::Centroid:
    case Linkage::Median:
        // Defined on dissimilarities only.
        if constexpr (Order::Similarities)
            throw Error(NeedsDissimilaritiesText(linkage));
        else if (linkage == Linkage::Ward)
            return CandidateMerge<Ward, Order>(matrix, n, leafHeight).Run();
        else if (linkage == Linkage::Centroid)
            return CandidateMerge<Centroid, Order>(matrix, n, leafHeight).Run();
        else
            return CandidateMerge<Median, Order>(matrix, n, leafHeight).Run();
    default:
        break;
    }
    throw Error("DistType Error");
}

} // namespace

ClusterTree MergeByFormula(const TriangularMatrix& matrix, int objectCount, long double leafHeight,
                           Linkage linkage, bool similarities)
{
    return similarities ? Merge<LargestFirst>(matrix, objectCount, leafHeight, linkage)
                        : Merge<SmallestFirst>(matrix, objectCount, leafHeight, linkage);
}

} // namespace vantrel::engine
