#include "batch/BatchRun.h"

#include "batch/BatchInput.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "batch/BatchTreeFiles.h"
#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "runs/core/AnalysisRun.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

namespace vantrel {

RunOutcome RunBatch(const BatchOptions& options, std::FILE* out)
{
    // A method the input's kind cannot have stops the run before the input
    // is read, so that nothing is written, as in the main window.
    if (const std::string refusal = MethodRefusalText(options.Kind, options.Method); !refusal.empty())
        throw Error(refusal);
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
    const RunOutcome outcome = CompleteRun(
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
    return outcome;
}

} // namespace vantrel
