#include "runs/core/AttributePress.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDistances.h"
#include "runs/core/AttributeEcho.h"
#include "runs/core/ReportWriter.h"

namespace vantrel {
namespace {

// Creates the report and runs `work` on it; if anything fails, the report
// is released (closed, never left dangling) before the error goes on.
template <typename Work>
void WithNewReport(AnalysisData& data, const std::string& fileName, Work work)
{
    OpenReportFile(data, fileName);
    try {
        work(*data.ReportFile);
    } catch (...) {
        data.ReportFile.reset();
        throw;
    }
}

bool PressEuclidean(const CellStore& table, AnalysisData& data, AttributeData& attributes,
                    const ReportFileChooser& chooseReport)
{
    ReadAttributeTable(table, data, attributes);
    ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix);
    if (!chooseReport)
        return true;
    const std::optional<std::string> fileName = chooseReport();
    if (!fileName)
        return false;
    WithNewReport(data, *fileName, [&](TextFileWriter& file) {
        WriteAttributeSection(file, AttributeInputHeader(), data, attributes);
    });
    return true;
}

bool PressStandardized(const CellStore& table, AnalysisData& data, AttributeData& attributes,
                       const ReportFileChooser& chooseReport)
{
    ReadAttributeTable(table, data, attributes);
    if (!chooseReport) {
        StandardizeAttributes(attributes, data.ObjectCount, table);
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix);
        return true;
    }
    const std::optional<std::string> fileName = chooseReport();
    if (!fileName)
        return false;
    WithNewReport(data, *fileName, [&](TextFileWriter& file) {
        WriteAttributeSection(file, AttributeInputHeader(), data, attributes);
        StandardizeAttributes(attributes, data.ObjectCount, table);
        WriteAttributeSection(file, StandardizedInputHeader(), data, attributes);
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix);
    });
    return true;
}

} // namespace

bool PressAttributeDistance(const CellStore& table, AttributeDistanceKind kind,
                            AnalysisData& data, AttributeData& attributes,
                            const ReportFileChooser& chooseReport)
{
    if (kind == AttributeDistanceKind::Euclidean)
        return PressEuclidean(table, data, attributes, chooseReport);
    return PressStandardized(table, data, attributes, chooseReport);
}

} // namespace vantrel
