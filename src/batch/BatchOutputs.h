#pragma once

#include "engine/ClusterTree.h"

namespace vantrel {

struct AnalysisData;
struct BatchOptions;

// Opens the report named by --report and writes the echo of the input, as
// the window run does before clustering. Nothing happens without --report.
// The caller closes it (a ReportFileGuard) on every way out.
void WriteBatchReport(const BatchOptions& options, AnalysisData& data);

// Prints the dendrogram page to the file named by --dendrogram (PDF, or PNG
// for a ".png" name) with the --font-size text. Needs no display: a Qt GUI
// application on the offscreen platform is started for the page when none
// runs and QT_QPA_PLATFORM is unset. Nothing happens without --dendrogram.
void PrintBatchDendrogram(const BatchOptions& options, const AnalysisData& data, ClusterTree& tree);

} // namespace vantrel
