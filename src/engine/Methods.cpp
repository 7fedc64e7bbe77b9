#include "engine/Methods.h"

namespace vantrel {
namespace {

// The English names messages use.
const char* MethodTitle(Linkage linkage)
{
    switch (linkage) {
    case Linkage::Complete:
        return "Complete linkage";
    case Linkage::Average:
        return "Group average";
    case Linkage::Single:
        return "Single linkage";
    case Linkage::Ward:
        return "Ward's method";
    case Linkage::Centroid:
        return "The centroid method";
    case Linkage::Median:
        return "The median method";
    case Linkage::Weighted:
        return "Weighted average";
    }
    return "The method";
}

} // namespace

const char* MethodKey(Linkage linkage)
{
    static const char* const Keys[LinkageCount] = {"complete", "average", "single",  "ward",
                                                   "centroid", "median",  "weighted"};
    const int index = static_cast<int>(linkage);
    return IsLinkage(index) ? Keys[index] : "";
}

std::string NeedsDissimilaritiesText(Linkage linkage)
{
    return std::string(MethodTitle(linkage)) + " needs dissimilarities; it cannot cluster similarities.";
}

} // namespace vantrel
