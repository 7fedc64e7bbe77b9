#pragma once

namespace vantrel {

struct AnalysisData;
struct BatchOptions;
struct RunSession;

// Reads the input file the way its window would and confirms it as the
// window's OK or distance button does: the object count, labels and the
// run's matrix end up in `data`. Matrix files are data files, or CSV files
// for names ending in ".csv" in any case; so are attribute tables, which
// are clustered by their Euclidean distances (--standardize: standardized).
// An attribute table with --report creates the report with the attribute
// echo, as the attribute window does, and hands it to the session.
// Throws Error (or CellConversionError) on bad data.
void LoadBatchInput(const BatchOptions& options, AnalysisData& data, RunSession& session);

} // namespace vantrel
