#pragma once

#include "engine/ClusterTree.h"
#include "input/core/MatrixTexts.h"

#include <cstdio>
#include <optional>
#include <string>

namespace vantrel {

struct AnalysisData;
struct BatchOptions;

// What the options ask of the finished tree, taken while it lives and
// written once the run is over: file contents as written (CR LF line ends),
// and the line for standard output.
struct TreeOutputs {
    std::string Schedule;
    std::string Clusters;
    std::string Newick;
    std::string CopheneticLine;
    // The input's labels with the cophenetic levels, for a matrix data file.
    std::optional<MatrixTexts> CopheneticMatrix;
};

// Throws the cut's Error before anything is written when --cut asks for
// more clusters than there are objects (or fewer than one). Inputs of fewer
// than two objects are left to fail as every run does.
void CheckCutBeforeRun(const BatchOptions& options, int objectCount);

// The results the options ask for, in code page 932 (or UTF-8 with --utf8
// for the schedule, clusters and Newick texts). The input values of the
// cophenetic correlation are the run's matrix: similarities for --kind sim,
// dissimilarities otherwise.
TreeOutputs TakeTreeOutputs(const BatchOptions& options, const AnalysisData& data, const ClusterTree& tree);

// Writes the files (each replacing an old one only once complete) and the
// cophenetic line on `out`. Throws IoError on any failed write.
void WriteTreeOutputs(const BatchOptions& options, const TreeOutputs& outputs, std::FILE* out);

} // namespace vantrel
