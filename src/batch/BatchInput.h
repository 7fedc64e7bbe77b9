#pragma once

namespace vantrel {

struct AnalysisData;
struct BatchOptions;

// Reads the input file the way the input window would, then confirms it
// with the window's OK: the object count, labels and the chosen matrix end
// up in `data`. Throws Error (or CellConversionError) on bad data.
void LoadBatchInput(const BatchOptions& options, AnalysisData& data);

} // namespace vantrel
