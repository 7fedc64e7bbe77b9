#pragma once

#include "engine/Agglomeration.h"
#include "engine/ClusterTree.h"
#include "platform/core/Progress.h"
#include "print/Dendrogram.h"

#include <functional>
#include <optional>
#include <string>

namespace vantrel {

struct AnalysisData;
struct RunSession;
class Canvas;

// The window-free steps of a run, shared by the main window and
// vantrel-batch, so that both produce the same report, tree and page.
enum class RunKind { Dissimilarity, Similarity, Attribute };

// The method chosen in the main window's list: items 0..6 in DistType
// order; anything else (typed text leaves no item selected) is no method.
std::optional<Linkage> LinkageFromItemIndex(int index);

// The message of a run whose method list holds no item.
inline const char* const DistTypeErrorMessage = "DistType Error";

// The message that stops a run whose method cannot cluster its kind of
// input (ward, centroid or median on similarities), empty when it can. The
// run stops with it where it would stop with DistTypeErrorMessage, before
// anything is written.
std::string MethodRefusalText(RunKind kind, Linkage linkage);

// Appends the run's matrix section to the session's open ReportFile: the
// typed dissimilarities, the typed similarities, or the computed distances
// after the attribute window's echo. Throws Error when no report is open,
// IoError when a write fails.
void WriteRunEcho(RunSession& session, const AnalysisData& data, RunKind kind,
                  Progress& progress = NoProgress());

// Builds the tree of the run. Similarity runs first find MaxSimilarity and
// the leaves' level. Throws Error("Range error in SeekC") below two objects.
ClusterTree ClusterForRun(AnalysisData& data, RunKind kind, Linkage linkage);

// Draws the run's page on a canvas; the page begins and ends its own job.
using DrawPage = std::function<void(Canvas&)>;
// Puts the page somewhere: shows the print dialog and draws on the printer,
// or draws on a page file.
using PrintPage = std::function<void(const DrawPage&)>;

// How much of the tree the run's page shows: the one printed page, whose
// rows below its bottom are lost, or the whole tree on as many pages as
// the canvas's page height needs.
enum class PageExtent { OnePage, WholeTree };

// What a finished run tells its user about: how the page's rows fit it, and
// how many merges lie below one of their parts (CountInversions).
struct RunOutcome {
    RowFit Rows;
    int Inversions = 0;
};

// What a run does once its input is confirmed, its method chosen and its
// report open: echo the input to the report, cluster, print the page, hand
// the finished tree to `takeTree` (which may keep it, or only look at it),
// release what is left of it and close the report.
// Without an open report (vantrel-batch without --report) nothing is
// echoed; without `printPage` no page is made. DistType becomes the method.
// The report is closed on every way out; a failure throws, with the report
// keeping what was written. Returns how the page's rows fit it and the
// tree's inversions.
//
// `progress` follows the echo and the clustering and is paused for the
// page, whose print dialog comes first. A cancel up to the page ends the run
// like a failure (WorkCancelled); the page itself is one short step and is
// not cancelled.
RunOutcome CompleteRun(RunSession& session, AnalysisData& data, RunKind kind, Linkage linkage,
                       const std::string& fontSizeText, const PrintPage& printPage,
                       const std::function<void(ClusterTree&&)>& takeTree = {},
                       Progress& progress = NoProgress(), PageExtent extent = PageExtent::OnePage);

// "Calculation ended. Output File = " and the report's name; when the
// dendrogram went to a PDF file instead of a printer, a second line says
// where it is, and when rows fell below the page, a line says how many and
// the largest font size at which all fit, or that none does; when the tree
// has inversions, InversionLine follows.
std::string FinalMessage(const std::string& reportFileName, const std::string& pdfFileName,
                         const RowFit& rows = {}, int inversions = 0);

// The line that tells how many merges lie below one of their parts; no line
// end. vantrel-batch prints it on standard error.
std::string InversionLine(int inversions);

} // namespace vantrel
