#pragma once

#include "platform/core/TextFile.h"

#include <cstdint>
#include <memory>

namespace vantrel {

// What a run carries from its input window to its page, beside the data set
// it clusters: one instance for the process, used by one run at a time.
struct RunSession {
    RunSession() = default;
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;

    // 0 while the run waits for its input window; 1 once the window closed.
    std::int32_t InputDone = 0;
    // The run's report, open from its creation to the end of the run; null
    // when no report is open. An attribute run takes over the report the
    // attribute window created.
    std::unique_ptr<TextFileWriter> ReportFile;
    // The run's method: 0 complete linkage, 1 group average, 2 single
    // linkage. The page captions its tree with it.
    std::uint8_t DistType = 0;
};

// The process-wide instance.
RunSession& Session();

} // namespace vantrel
