#include "batch/BatchRun.h"

#include "batch/BatchInput.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "batch/BatchTreeFiles.h"
#include "engine/AnalysisData.h"
#include "runs/core/AnalysisRun.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

namespace vantrel {

void RunBatch(const BatchOptions& options, std::FILE* out)
{
    AnalysisData& data = Shared();
    RunSession& session = Session();
    // The report is closed on every way out, so a failing run still leaves
    // its echo, as the window run does.
    ReportFileGuard report(session);
    LoadBatchInput(options, data, session);
    CheckCutBeforeRun(options, data.ObjectCount);
    if (!options.ReportFile.empty() && options.Kind != RunKind::Attribute)
        OpenReportFile(session, options.ReportFile);

    std::string listing;
    TreeOutputs results;
    CompleteRun(
        session, data, options.Kind, options.Method, options.FontSize, BatchPagePrinter(options),
        [&](const ClusterTree& tree) {
            if (options.PrintMerges)
                listing = MergeListing(tree);
            results = TakeTreeOutputs(options, data, tree);
        },
        NoProgress(), options.WholeTree ? PageExtent::WholeTree : PageExtent::OnePage);
    if (options.PrintMerges)
        PrintToOutput(out, listing);
    WriteTreeOutputs(options, results, out);
}

} // namespace vantrel
