#include "runs/core/AttributePress.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDistances.h"
#include "runs/core/AttributeEcho.h"
#include "runs/core/ReportWriter.h"

namespace vantrel {
namespace {

// Asks for the report's name, creates the report and runs `work` on it;
// if anything fails, the report is released (closed, never left dangling)
// before the error goes on. With no chooser `work` runs without a report.
// False when the chooser cancelled.
template <typename Work>
bool WithChosenReport(AnalysisData& data, const ReportFileChooser& chooseReport, Work work)
{
    if (!chooseReport) {
        work(nullptr);
        return true;
    }
    const std::optional<std::string> fileName = chooseReport();
    if (!fileName)
        return false;
    OpenReportFile(data, *fileName);
    try {
        work(data.ReportFile.get());
    } catch (...) {
        data.ReportFile.reset();
        throw;
    }
    return true;
}

void EchoTable(TextFileWriter* report, const std::string& header, const AnalysisData& data,
               const AttributeData& attributes)
{
    if (report)
        WriteAttributeSection(*report, header, data, attributes);
}

} // namespace

bool PressAttributeDistance(const CellStore& table, AttributeDistanceKind kind,
                            AnalysisData& data, AttributeData& attributes,
                            const ReportFileChooser& chooseReport)
{
    ReadAttributeTable(table, data, attributes);
    if (kind == AttributeDistanceKind::Euclidean) {
        // The distances come before the question, so a cancel keeps them.
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix);
        return WithChosenReport(data, chooseReport, [&](TextFileWriter* report) {
            EchoTable(report, AttributeInputHeader(), data, attributes);
        });
    }
    return WithChosenReport(data, chooseReport, [&](TextFileWriter* report) {
        EchoTable(report, AttributeInputHeader(), data, attributes);
        StandardizeAttributes(attributes, data.ObjectCount, table);
        EchoTable(report, StandardizedInputHeader(), data, attributes);
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix);
    });
}

} // namespace vantrel
