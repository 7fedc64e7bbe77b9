#include "input/core/AttributePress.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDistances.h"
#include "input/core/AttributeEcho.h"

namespace vantrel {
namespace {

// Asks for the report's name, creates the report and runs `work` on it;
// if anything fails, the report is released (closed, never left dangling)
// before the error goes on. With no chooser `work` runs without a report.
// False when the chooser cancelled.
template <typename Work>
bool WithChosenReport(const ReportFileChooser& chooseReport, std::unique_ptr<TextFileWriter>& report,
                      Progress& progress, Work work)
{
    if (!chooseReport) {
        work(nullptr);
        return true;
    }
    progress.Pause();
    const std::optional<std::string> fileName = chooseReport();
    if (!fileName)
        return false;
    // Its bytes were all handed to the file already, so a plain release is
    // enough for a report an earlier press left open.
    report.reset();
    report = std::make_unique<TextFileWriter>(*fileName);
    try {
        work(report.get());
    } catch (...) {
        report.reset();
        throw;
    }
    return true;
}

void EchoTable(TextFileWriter* report, const std::string& header, const AnalysisData& data,
               const AttributeData& attributes, Progress& progress)
{
    if (report)
        WriteAttributeSection(*report, header, data, attributes, progress);
}

} // namespace

bool PressAttributeDistance(const AttributeTexts& table, AttributeDistanceKind kind, AnalysisData& data,
                            AttributeData& attributes, const ReportFileChooser& chooseReport,
                            std::unique_ptr<TextFileWriter>& report, Progress& progress)
{
    ReadAttributeTable(table, data, attributes, progress);
    if (kind == AttributeDistanceKind::Euclidean) {
        // The distances come before the question, so a cancel keeps them.
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix, progress);
        return WithChosenReport(chooseReport, report, progress, [&](TextFileWriter* file) {
            EchoTable(file, AttributeInputHeader(), data, attributes, progress);
        });
    }
    return WithChosenReport(chooseReport, report, progress, [&](TextFileWriter* file) {
        EchoTable(file, AttributeInputHeader(), data, attributes, progress);
        StandardizeAttributes(attributes, data.ObjectCount, table);
        EchoTable(file, StandardizedInputHeader(), data, attributes, progress);
        ComputeEuclideanDistances(attributes, data.ObjectCount, data.DissimMatrix, progress);
    });
}

} // namespace vantrel
