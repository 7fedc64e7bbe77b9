#pragma once

#include "runs/core/AnalysisRun.h"

#include <string>

namespace vantrel {

// The page files of vantrel-batch (PDF, PNG, SVG) need Qt, and loading Qt
// costs a run that makes no page more time and memory than the whole
// clustering. So they are drawn by a module of their own, loaded only when
// a page is asked for: vantrel-batch-page.so, beside the program in the
// build tree, or in the library folder of the installation.

// The module's one entry: draws the page into `fileName` (PDF, or PNG or
// SVG for a ".png" or ".svg" name), on a page as tall as the drawing needs
// with `wholeTree`. Throws IoError or Error on failure.
using WritePageFileFunction = void (*)(const std::string& fileName, bool wholeTree, const DrawPage& draw);
inline constexpr const char* WritePageFileSymbol = "VantrelWritePageFile";

// Loads the module (once) and draws the page through it. Throws Error when
// the module cannot be found or loaded.
void WritePageFile(const std::string& fileName, bool wholeTree, const DrawPage& draw);

} // namespace vantrel
