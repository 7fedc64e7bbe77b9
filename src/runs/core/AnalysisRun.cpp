#include "runs/core/AnalysisRun.h"

#include "engine/AnalysisData.h"
#include "platform/core/Cp932.h"
#include "print/Dendrogram.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

namespace vantrel {

std::optional<Linkage> LinkageFromItemIndex(int index)
{
    switch (index) {
    case 0:
        return Linkage::Complete;
    case 1:
        return Linkage::Average;
    case 2:
        return Linkage::Single;
    default:
        return std::nullopt;
    }
}

void WriteRunEcho(RunSession& session, const AnalysisData& data, RunKind kind)
{
    switch (kind) {
    case RunKind::Dissimilarity:
        WriteDissimilarityEcho(session, data);
        break;
    case RunKind::Similarity:
        WriteSimilarityEcho(session, data);
        break;
    case RunKind::Attribute:
        WriteComputedDistanceEcho(session, data);
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

RowFit CompleteRun(RunSession& session, AnalysisData& data, RunKind kind, Linkage linkage,
                   const std::string& fontSizeText, const PrintPage& printPage,
                   const std::function<void(const ClusterTree&)>& useTree)
{
    ReportFileGuard report(session);
    session.DistType = static_cast<std::uint8_t>(linkage);
    if (session.ReportFile)
        WriteRunEcho(session, data, kind);
    ClusterTree tree = ClusterForRun(data, kind, linkage);
    RowFit rows;
    if (printPage) {
        printPage([&](Canvas& canvas) {
            if (kind == RunKind::Similarity)
                rows = PrintSimDendrogram(data, tree, session.DistType, fontSizeText, canvas);
            else
                rows = PrintDendrogram(data, tree, session.DistType, fontSizeText, canvas);
        });
    }
    if (useTree)
        useTree(tree);
    tree.Free();
    report.Close();
    return rows;
}

std::string FinalMessage(const std::string& reportFileName, const std::string& pdfFileName,
                         const RowFit& rows)
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
    return message;
}

} // namespace vantrel
