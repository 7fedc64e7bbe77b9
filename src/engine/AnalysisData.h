#pragma once

#include "engine/TriangularMatrix.h"
#include "platform/core/TextFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

// The data set of the current run, one instance for the process. The input
// windows fill it when the user confirms; the runs, the engine and the plot
// read it. Nothing is cleared between runs: each run overwrites what it uses.
struct AnalysisData {
    static constexpr int Capacity = 1000;

    AnalysisData() = default;
    AnalysisData(const AnalysisData&) = delete;
    AnalysisData& operator=(const AnalysisData&) = delete;

    std::int32_t ObjectCount = 0;
    // Index 1..1000; entry 0 is unused. Code page 932 bytes.
    std::array<std::string, Capacity + 1> ObjectLabels;
    TriangularMatrix DissimMatrix{Capacity};
    TriangularMatrix SimMatrix{Capacity};
    // 0 while a run waits for its input window; non-zero once it closed.
    std::int32_t InputDone = 0;
    // The report of the current run, open from its creation to the end of
    // the run; null when no report is open.
    std::unique_ptr<TextFileWriter> ReportFile;
    // 0 complete linkage, 1 group average, 2 single linkage.
    std::uint8_t DistType = 0;
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
