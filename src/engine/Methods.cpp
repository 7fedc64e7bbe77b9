#include "engine/Methods.h"

namespace vantrel {
namespace {

// Each method's key, and the English name messages use, as in the middle
// of a sentence.
struct MethodNames {
    const char* Key;
    const char* Name;
};
constexpr MethodNames Names[LinkageCount] = {
    {"complete", "complete linkage"}, {"average", "group average"},        {"single", "single linkage"},
    {"ward", "Ward's method"},        {"centroid", "the centroid method"}, {"median", "the median method"},
    {"weighted", "weighted average"},
};

const char* MethodName(Linkage linkage)
{
    const int index = static_cast<int>(linkage);
    return IsLinkage(index) ? Names[index].Name : "the method";
}

// The name at the start of a sentence.
std::string SentenceName(Linkage linkage)
{
    std::string name = MethodName(linkage);
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string PairText(int first, int second)
{
    return "objects " + std::to_string(first) + " and " + std::to_string(second);
}

} // namespace

const char* MethodKey(Linkage linkage)
{
    const int index = static_cast<int>(linkage);
    return IsLinkage(index) ? Names[index].Key : "";
}

std::string NeedsDissimilaritiesText(Linkage linkage)
{
    return SentenceName(linkage) + " needs dissimilarities; it cannot cluster similarities.";
}

std::string NegativeDissimilarityText(Linkage linkage, int first, int second)
{
    return SentenceName(linkage) + " needs dissimilarities of 0 or more; the dissimilarity of " +
           PairText(first, second) + " is negative.";
}

std::string SquareOverflowText(Linkage linkage, int first, int second)
{
    return std::string("Floating point overflow in ") + MethodName(linkage) +
           ": the square of the dissimilarity of " + PairText(first, second) + " is too large.";
}

std::string UpdateOverflowText(Linkage linkage)
{
    return std::string("Floating point overflow in ") + MethodName(linkage) +
           ": a merged cluster's value to another cluster goes beyond the range of numbers.";
}

} // namespace vantrel
