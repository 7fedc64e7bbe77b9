#pragma once

#include "engine/ClusterTree.h"

#include <cstdio>
#include <string>

namespace vantrel {

struct AnalysisData;
struct BatchOptions;

// Clusters what `data` holds with the options' kind and method, as the
// window's run would: DistType is set, and similarities get their levels
// computed first.
ClusterTree ClusterInput(const BatchOptions& options, AnalysisData& data);

// One merge as printed: new id, left id, right id and height separated by
// tabs, the height with "%.21Lg", ended by a line break.
std::string MergeLine(const ClusterNode& node);

// The whole batch: read, confirm, cluster, print. Throws Error on any
// failure, including a failed write to `out`.
void RunBatch(const BatchOptions& options, std::FILE* out);

} // namespace vantrel
