#include "runs/core/AnalysisRun.h"

#include "engine/AnalysisData.h"
#include "platform/core/Cp932.h"
#include "print/Dendrogram.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"
#include "runs/core/TreeResults.h"

#include <algorithm>

namespace vantrel {

std::optional<Linkage> LinkageFromItemIndex(int index)
{
    if (!IsLinkage(index))
        return std::nullopt;
    return static_cast<Linkage>(index);
}

std::string MethodRefusalText(RunKind kind, Linkage linkage)
{
    if (kind == RunKind::Similarity && !AcceptsSimilarities(linkage))
        return NeedsDissimilaritiesText(linkage);
    return {};
}

void WriteRunEcho(RunSession& session, const AnalysisData& data, RunKind kind, Progress& progress)
{
    switch (kind) {
    case RunKind::Dissimilarity:
        WriteDissimilarityEcho(session, data, progress);
        break;
    case RunKind::Similarity:
        WriteSimilarityEcho(session, data, progress);
        break;
    case RunKind::Attribute:
        WriteComputedDistanceEcho(session, data, progress);
        break;
    }
}

ClusterTree ClusterForRun(AnalysisData& data, RunKind kind, Linkage linkage)
{
    if (kind == RunKind::Similarity) {
        ComputeSimilarityLevels(data);
        return MergeSimilarities(data, linkage);
    }
    return MergeDissimilarities(data, linkage);
}

RunOutcome CompleteRun(RunSession& session, AnalysisData& data, RunKind kind, Linkage linkage,
                       const std::string& fontSizeText, const PrintPage& printPage,
                       const std::function<void(ClusterTree&&)>& takeTree, Progress& progress,
                       PageExtent extent)
{
    ReportFileGuard report(session);
    session.DistType = static_cast<std::uint8_t>(linkage);
    if (session.ReportFile)
        WriteRunEcho(session, data, kind, progress);
    // The merges run in one piece: a cancel meanwhile is taken after them.
    const int merges = std::max(data.ObjectCount - 1, 0);
    progress.Start("Clustering", "merges", merges);
    ClusterTree tree = ClusterForRun(data, kind, linkage);
    progress.Advance(merges);
    progress.Pause();
    RunOutcome outcome;
    outcome.Inversions = CountInversions(tree, kind == RunKind::Similarity);
    if (printPage) {
        printPage([&](Canvas& canvas) {
            const bool similarity = kind == RunKind::Similarity;
            if (extent == PageExtent::WholeTree)
                outcome.Rows =
                    PrintWholeDendrogram(data, tree, session.DistType, similarity, fontSizeText, canvas);
            else if (similarity)
                outcome.Rows = PrintSimDendrogram(data, tree, session.DistType, fontSizeText, canvas);
            else
                outcome.Rows = PrintDendrogram(data, tree, session.DistType, fontSizeText, canvas);
        });
    }
    if (takeTree)
        takeTree(std::move(tree));
    tree.Free();
    report.Close();
    return outcome;
}

std::string FinalMessage(const std::string& reportFileName, const std::string& pdfFileName,
                         const RowFit& rows, int inversions)
{
    std::string message = "Calculation ended. Output File = " + Cp932ForMessage(reportFileName);
    if (!pdfFileName.empty())
        message += "\nDendrogram (PDF) = " + Cp932ForMessage(pdfFileName);
    if (rows.Lost > 0) {
        message += "\nRows below the page: " + std::to_string(rows.Lost) + " of " + std::to_string(rows.Rows);
        message +=
            rows.LargestFittingSize > 0
                ? " (largest font size that fits them all: " + std::to_string(rows.LargestFittingSize) + ")"
                : std::string(" (no font size fits them all)");
    }
    if (inversions > 0)
        message += "\n" + InversionLine(inversions);
    return message;
}

std::string InversionLine(int inversions)
{
    return "Merges below one of their parts (inversions): " + std::to_string(inversions);
}

} // namespace vantrel
