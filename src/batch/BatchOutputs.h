#pragma once

#include "engine/ClusterTree.h"
#include "runs/core/AnalysisRun.h"

#include <cstdio>
#include <string>

namespace vantrel {

struct BatchOptions;

// The page printer of the run for --dendrogram: draws the page into the
// file (PDF, or PNG or SVG for a ".png" or ".svg" name), with --whole-tree
// on a page as tall as the tree needs, through the page module (see
// PageModule.h). Needs no display: a Qt GUI application on the offscreen
// platform is started for the page when QT_QPA_PLATFORM is unset. Empty
// without --dendrogram.
PrintPage BatchPagePrinter(const BatchOptions& options);

// One merge as printed: new id, left id, right id and height separated by
// tabs, the height with "%.21Lg", ended by a line break.
std::string MergeLine(const ClusterNode& node);

// The merges of a finished tree in merge order, one MergeLine each.
std::string MergeListing(const ClusterTree& tree);

// Writes `text` to `out` and flushes it; throws IoError naming standard
// output when that fails, so that a lost output is never a success.
void PrintToOutput(std::FILE* out, const std::string& text);

} // namespace vantrel
