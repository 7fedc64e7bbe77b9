#pragma once

#include "runs/core/AnalysisRun.h"

#include <cstdio>

namespace vantrel {

struct BatchOptions;

// The whole batch: read and confirm the input, then the run's own steps
// (report echo, clustering, page), then the merge list and the tree's
// results. Throws Error on any failure, including a failed write to `out`
// and a method that cannot cluster the input's kind (before anything is
// read or written). Returns what the run tells its user.
RunOutcome RunBatch(const BatchOptions& options, std::FILE* out);

} // namespace vantrel
