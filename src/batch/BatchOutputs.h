#pragma once

#include "engine/ClusterTree.h"
#include "runs/core/AnalysisRun.h"

#include <string>

namespace vantrel {

struct BatchOptions;

// The page printer of the run for --dendrogram: draws the page into the
// file (PDF, or PNG for a ".png" name). Needs no display: a Qt GUI
// application on the offscreen platform is started for the page when none
// runs and QT_QPA_PLATFORM is unset. Empty without --dendrogram.
PrintPage BatchPagePrinter(const BatchOptions& options);

// One merge as printed: new id, left id, right id and height separated by
// tabs, the height with "%.21Lg", ended by a line break.
std::string MergeLine(const ClusterNode& node);

// The merges of a finished tree in merge order, one MergeLine each.
std::string MergeListing(const ClusterTree& tree);

} // namespace vantrel
