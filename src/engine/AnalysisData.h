#pragma once

#include "common/Limits.h"
#include "engine/TriangularMatrix.h"

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

// The data set of the current run, one instance for the process: what the
// merge steps and the page read. The input windows fill it when the user
// confirms; the run's own state (its report, the method) is the run
// session's. Nothing is cleared between runs: each run overwrites what it
// uses.
struct AnalysisData {
    static constexpr int Capacity = MaxObjects;

    AnalysisData() = default;
    AnalysisData(const AnalysisData&) = delete;
    AnalysisData& operator=(const AnalysisData&) = delete;

    std::int32_t ObjectCount = 0;
    // Index 1..1000; entry 0 is unused. Code page 932 bytes.
    std::array<std::string, Capacity + 1> ObjectLabels;
    TriangularMatrix DissimMatrix{Capacity};
    TriangularMatrix SimMatrix{Capacity};
    // Similarity runs: the largest similarity (never below 0) and the level
    // of the leaves.
    long double MaxSimilarity = 0.0L;
    long double SimLeafHeight = 0.0L;
};

// The process-wide instance.
AnalysisData& Shared();

// Scans SimMatrix's lower triangle of the current ObjectCount row by row and
// sets MaxSimilarity (starting from 0, replaced only by a strictly greater
// value) and SimLeafHeight = MaxSimilarity / N + MaxSimilarity, held at the
// largest finite value when that sum overflows.
void ComputeSimilarityLevels(AnalysisData& data);

} // namespace vantrel
