#pragma once

namespace vantrel {

struct AnalysisData;
struct BatchOptions;

// --kind attr: reads the attribute table from an attribute data file, or a
// CSV file when the name ends in ".csv" in any case, and presses the
// attribute window's distance button (--standardize: the standardized
// one). The distances land in DissimMatrix; with --report the report is
// created and holds the attribute echo, open for the distance section.
// Throws Error (or CellConversionError) on bad data.
void LoadBatchAttributeInput(const BatchOptions& options, AnalysisData& data);

} // namespace vantrel
