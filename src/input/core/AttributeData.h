#pragma once

#include "common/Limits.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// The attribute window's working data: the values read from its table, and
// after a standardized computation the standardized values. Process-wide,
// zero at start; only the attribute computations read them.
struct AttributeData {
    static constexpr int ObjectCapacity = MaxObjects;
    static constexpr int AttributeCapacity = MaxAttributes;

    AttributeData() : AttributeValues(static_cast<std::size_t>(ObjectCapacity) * AttributeCapacity, 0.0L) { }
    AttributeData(const AttributeData&) = delete;
    AttributeData& operator=(const AttributeData&) = delete;

    // x[object, attribute], both from 1; stored row by row.
    long double& Value(int object, int attribute) { return AttributeValues[Offset(object, attribute)]; }
    long double Value(int object, int attribute) const { return AttributeValues[Offset(object, attribute)]; }

    // The values of one object, attribute 1 first.
    const long double* Row(int object) const { return &AttributeValues[Offset(object, 1)]; }

    std::int32_t AttributeCount = 0;
    std::vector<long double> AttributeValues;

private:
    static std::size_t Offset(int object, int attribute)
    {
        return static_cast<std::size_t>(object - 1) * AttributeCapacity +
               static_cast<std::size_t>(attribute - 1);
    }
};

// The process-wide instance.
AttributeData& Attributes();

} // namespace vantrel
