#include "batch/BatchRun.h"

#include "batch/BatchInput.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"
#include "platform/core/Errors.h"
#include "runs/core/ReportWriter.h"

#include <cerrno>

namespace vantrel {

ClusterTree ClusterInput(const BatchOptions& options, AnalysisData& data)
{
    data.DistType = static_cast<std::uint8_t>(options.Method);
    if (options.Kind == InputKind::Similarity) {
        ComputeSimilarityLevels(data);
        return MergeSimilarities(data, options.Method);
    }
    return MergeDissimilarities(data, options.Method);
}

std::string MergeLine(const ClusterNode& node)
{
    char height[64];
    std::snprintf(height, sizeof height, "%.21Lg", node.Height);
    const std::int32_t left = node.Left ? node.Left->Id : 0;
    const std::int32_t right = node.Right ? node.Right->Id : 0;
    return std::to_string(node.Id) + "\t" + std::to_string(left) + "\t" +
           std::to_string(right) + "\t" + height + "\n";
}

void RunBatch(const BatchOptions& options, std::FILE* out)
{
    AnalysisData& data = Shared();
    LoadBatchInput(options, data);
    // The report is written before clustering and closed on every way out,
    // so a failing run still leaves its echo, as the window run does.
    ReportFileGuard report(data);
    WriteBatchReport(options, data);
    ClusterTree tree = ClusterInput(options, data);
    PrintBatchDendrogram(options, data, tree);
    report.Close();
    if (!options.PrintMerges)
        return;

    std::string listing;
    for (const auto& node : tree.Nodes())
        if (!node->IsLeaf())
            listing += MergeLine(*node);
    errno = 0;
    const bool written = std::fwrite(listing.data(), 1, listing.size(), out) == listing.size();
    if (!written || std::fflush(out) != 0)
        throw IoError(IoErrorText("standard output", errno ? errno : EIO));
}

} // namespace vantrel
