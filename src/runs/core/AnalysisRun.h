#pragma once

#include "engine/Agglomeration.h"
#include "engine/ClusterTree.h"

#include <optional>
#include <string>

namespace vantrel {

struct AnalysisData;

// The window-free steps of a run, shared by the main window and the
// benchmark: the echo the run writes to its report and the clustering of
// the matrix the run works on.
enum class RunKind { Dissimilarity, Similarity, Attribute };

// The method chosen in the main window's list: item 0, 1 or 2; anything
// else (typed text leaves no item selected) is no method.
std::optional<Linkage> LinkageFromItemIndex(int index);

// The message of a run whose method list holds no item.
inline const char* const DistTypeErrorMessage = "DistType Error";

// The message of an attribute run whose window closed before any distance
// button completed: without it the run would find no report to write to.
inline const char* const NoDistancesMessage =
    "No distances were computed: the attribute window was closed before a distance button completed.";

// Appends the run's matrix section to the open ReportFile: the typed
// dissimilarities, the typed similarities, or the computed distances after
// the attribute window's echo. Throws Error when no report is open, IoError
// when a write fails.
void WriteRunEcho(AnalysisData& data, RunKind kind);

// Builds the tree of the run. Similarity runs first find MaxSimilarity and
// the leaves' level. Throws Error("Range error in SeekC") below two objects.
ClusterTree ClusterForRun(AnalysisData& data, RunKind kind, Linkage linkage);

// "Calculation ended. Output File = " and the report's name; when the
// dendrogram went to a PDF file instead of a printer, a second line says
// where it is.
std::string FinalMessage(const std::string& reportFileName, const std::string& pdfFileName);

} // namespace vantrel
