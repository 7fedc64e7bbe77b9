#pragma once

#include "input/core/AttributeTexts.h"
#include "platform/core/Progress.h"
#include "platform/core/TextFile.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vantrel {

struct AnalysisData;
struct AttributeData;

// What the two distance buttons of the attribute window do, without the
// window: read the table, compute the distances into DissimMatrix, create
// the report and write the attribute echo. Closing the window is left to
// the caller; the run that waits for it takes the report over.
enum class AttributeDistanceKind { Euclidean, Standardized };

// Asks for the report file's name; nullopt when the user cancels.
using ReportFileChooser = std::function<std::optional<std::string>()>;

// One press. The steps come in the window's order:
//   Euclidean     read, distances, ask for the report, create it, echo
//   Standardized  read, ask, create, echo, standardize, echo, distances
// Returns false when the chooser cancelled; a plain press has then already
// stored its distances, a standardized one has computed nothing.
//
// `report` receives the report, created and holding the echo, left open for
// the run to append to. A report it held before is closed first. With no
// chooser (vantrel-batch without a report) no report is written.
//
// Throws CellConversionError for a cell that does not convert, Error for a
// table beyond the working data, a zero deviation or an overflow, IoError
// when the report cannot be written. A report created by a press that then
// fails is closed (it keeps what was written) and `report` is left empty,
// so no half-finished report stays open behind the window; DissimMatrix is
// never touched by a failed computation.
//
// `progress` follows the reading, the distances and the echo, and is paused
// while the chooser asks; a cancel ends the press like a failure.
bool PressAttributeDistance(const AttributeTexts& table, AttributeDistanceKind kind, AnalysisData& data,
                            AttributeData& attributes, const ReportFileChooser& chooseReport,
                            std::unique_ptr<TextFileWriter>& report, Progress& progress = NoProgress());

} // namespace vantrel
