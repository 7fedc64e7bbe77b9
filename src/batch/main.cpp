// vantrel-batch: runs the window program's analyses on files, without
// windows, through the same reading, confirming and clustering code.
#include "batch/BatchOptions.h"
#include "batch/BatchRun.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace vantrel;
    BatchOptions options;
    try {
        options = ParseBatchOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "vantrel-batch: %s\n%s", error.what(), BatchUsageText().c_str());
        return 2;
    }
    if (options.ShowHelp || options.ShowVersion) {
        std::fputs((options.ShowHelp ? BatchUsageText() : BatchVersionText()).c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    try {
        const RunOutcome outcome = RunBatch(options, stdout);
        // Told, as the final message tells it; the run itself succeeded.
        if (outcome.Inversions > 0)
            std::fprintf(stderr, "%s\n", InversionLine(outcome.Inversions).c_str());
    } catch (const std::bad_alloc&) {
        std::fputs("Out of memory\n", stderr);
        return 1;
    } catch (const std::exception& error) {
        // The text as the window would show it, bytes unchanged.
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
