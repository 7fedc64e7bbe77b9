#include "batch/BatchRun.h"

#include "batch/BatchInput.h"
#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "platform/core/TextFile.h"
#include "runs/core/AnalysisRun.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

#include <cerrno>

namespace vantrel {

void RunBatch(const BatchOptions& options, std::FILE* out)
{
    AnalysisData& data = Shared();
    RunSession& session = Session();
    // The report is closed on every way out, so a failing run still leaves
    // its echo, as the window run does.
    ReportFileGuard report(session);
    LoadBatchInput(options, data, session);
    if (!options.ReportFile.empty() && options.Kind != RunKind::Attribute)
        OpenReportFile(session, options.ReportFile);

    std::string listing;
    CompleteRun(session, data, options.Kind, options.Method, options.FontSize, BatchPagePrinter(options),
                [&](const ClusterTree& tree) {
                    if (options.PrintMerges)
                        listing = MergeListing(tree);
                });
    if (!options.PrintMerges)
        return;
    errno = 0;
    const bool written = std::fwrite(listing.data(), 1, listing.size(), out) == listing.size();
    if (!written || std::fflush(out) != 0)
        throw IoError(IoErrorText("standard output", errno ? errno : EIO));
}

} // namespace vantrel
