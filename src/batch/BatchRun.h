#pragma once

#include <cstdio>

namespace vantrel {

struct BatchOptions;

// The whole batch: read and confirm the input, then the run's own steps
// (report echo, clustering, page), then the merge list. Throws Error on any
// failure, including a failed write to `out`.
void RunBatch(const BatchOptions& options, std::FILE* out);

} // namespace vantrel
