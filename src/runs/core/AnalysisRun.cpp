#include "runs/core/AnalysisRun.h"

#include "engine/AnalysisData.h"
#include "runs/core/ReportWriter.h"

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

void WriteRunEcho(AnalysisData& data, RunKind kind)
{
    switch (kind) {
    case RunKind::Dissimilarity:
        WriteDissimilarityEcho(data);
        break;
    case RunKind::Similarity:
        WriteSimilarityEcho(data);
        break;
    case RunKind::Attribute:
        WriteComputedDistanceEcho(data);
        break;
    }
}

ClusterTree ClusterForRun(AnalysisData& data, RunKind kind, Linkage linkage)
{
    data.DistType = static_cast<std::uint8_t>(linkage);
    if (kind == RunKind::Similarity) {
        ComputeSimilarityLevels(data);
        return MergeSimilarities(data, linkage);
    }
    return MergeDissimilarities(data, linkage);
}

std::string FinalMessage(const std::string& reportFileName, const std::string& pdfFileName)
{
    std::string message = "Calculation ended. Output File = " + reportFileName;
    if (!pdfFileName.empty())
        message += "\nDendrogram (PDF) = " + pdfFileName;
    return message;
}

} // namespace vantrel
