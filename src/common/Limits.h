#pragma once

#include <string>

namespace vantrel {

// The size of the largest data set: the analysis data hold 1000 objects and
// the attribute window's working data 200 attributes. Every window, file
// reader and computation checks against these and reports with these texts.
inline constexpr int MaxObjects = 1000;
inline constexpr int MaxAttributes = 200;

inline std::string TooManyObjectsText(long long count)
{
    return "Too many objects: " + std::to_string(count) + " (at most " + std::to_string(MaxObjects) + ")";
}

inline std::string TooManyAttributesText(long long count)
{
    return "Too many attributes: " + std::to_string(count) + " (at most " + std::to_string(MaxAttributes) +
           ")";
}

} // namespace vantrel
