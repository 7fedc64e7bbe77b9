#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// The linkage methods in the order of the main window's list; the value is
// the DistType of the run.
enum class Linkage : std::uint8_t {
    Complete = 0,
    Average = 1,
    Single = 2,
    Ward = 3,
    Centroid = 4,
    Median = 5,
    Weighted = 6,
};
inline constexpr int LinkageCount = 7;

inline bool IsLinkage(int value) { return value >= 0 && value < LinkageCount; }

// Ward, centroid and median keep squared dissimilarities in the pair list
// and place a merge at the signed square root of its list value.
inline bool SquaresValues(Linkage linkage)
{
    return linkage == Linkage::Ward || linkage == Linkage::Centroid || linkage == Linkage::Median;
}

// Ward, centroid, median and weighted average compute a merged cluster's
// values from the values it replaces (a formula of d1, d2 and d12), so
// their levels need not grow from merge to merge.
inline bool UpdatesByFormula(Linkage linkage)
{
    return SquaresValues(linkage) || linkage == Linkage::Weighted;
}

// The squared methods are defined on dissimilarities only.
inline bool AcceptsSimilarities(Linkage linkage) { return !SquaresValues(linkage); }

// The method's name on the command line and in file names: complete,
// average, single, ward, centroid, median, weighted.
const char* MethodKey(Linkage linkage);

// The refusal of a similarity run by a method defined on dissimilarities
// only; the run shows it before it asks for a report, vantrel-batch before
// it reads its input, and the engine throws it too.
std::string NeedsDissimilaritiesText(Linkage linkage);

// The engine's refusals of ward, centroid, median and weighted: a negative
// input value or a square beyond the range of 80-bit reals for the three
// that square their values (objects `first` < `second` name the pair), and
// a merged cluster's value beyond that range for all four.
std::string NegativeDissimilarityText(Linkage linkage, int first, int second);
std::string SquareOverflowText(Linkage linkage, int first, int second);
std::string UpdateOverflowText(Linkage linkage);

} // namespace vantrel
