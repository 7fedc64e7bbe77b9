#include "batch/BatchAttribute.h"

#include "batch/BatchOptions.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeCsv.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeTable.h"
#include "input/core/Csv.h"
#include "runs/core/AttributePress.h"

namespace vantrel {

void LoadBatchAttributeInput(const BatchOptions& options, AnalysisData& data)
{
    CellStore table;
    AttributeTable::Initialize(table);
    if (HasCsvExtension(options.InputFile))
        ReadAttributeCsv(options.InputFile, table);
    else
        LoadAttributeDataFile(options.InputFile, table);

    ReportFileChooser chooseReport;
    if (!options.ReportFile.empty())
        chooseReport = [&options] { return std::optional<std::string>(options.ReportFile); };
    const AttributeDistanceKind kind = options.Standardize ? AttributeDistanceKind::Standardized
                                                           : AttributeDistanceKind::Euclidean;
    PressAttributeDistance(table, kind, data, Attributes(), chooseReport);
}

} // namespace vantrel
