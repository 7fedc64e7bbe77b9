#include "runs/core/ReportWriter.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/Padding.h"
#include "platform/core/ReportSection.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr std::size_t FieldWidth = 10;

void AppendField(std::string& row, const std::string& text)
{
    row += text;
    if (text.size() < FieldWidth)
        row.append(FieldWidth - text.size(), ' ');
}

} // namespace

void OpenReportFile(RunSession& session, const std::string& fileName)
{
    // An earlier run that failed may have left its report open; its bytes
    // were all handed to the file, so a plain release is enough.
    session.ReportFile.reset();
    session.ReportFile = std::make_unique<TextFileWriter>(fileName);
}

void CloseReportFile(RunSession& session)
{
    if (!session.ReportFile)
        return;
    std::unique_ptr<TextFileWriter> file = std::move(session.ReportFile);
    file->Close();
}

ReportFileGuard::~ReportFileGuard()
{
    // On an error path the run's own error is the one to show; a second
    // failure while closing must not replace it.
    session_.ReportFile.reset();
}

std::string DissimilarityHeader() { return Sjis("入力データ（距離）..."); }
std::string SimilarityHeader() { return Sjis("入力データ（類似度）..."); }
std::string ComputedDistanceHeader() { return Sjis("算出された距離..."); }

std::string MatrixRow(const AnalysisData& data, const TriangularMatrix& matrix, int i)
{
    std::string row;
    row.reserve(FieldWidth * static_cast<std::size_t>(i));
    AppendField(row, data.ObjectLabels[static_cast<std::size_t>(i)]);
    const long double* values = i >= 2 ? matrix.Row(i) : nullptr;
    for (int j = 1; j < i; ++j)
        AppendField(row, FormatReportNumber(values[j - 1]));
    return row;
}

void WriteMatrixSection(RunSession& session, const std::string& header, const AnalysisData& data,
                        const TriangularMatrix& matrix, Progress& progress)
{
    if (!session.ReportFile || !session.ReportFile->IsOpen())
        throw Error("The report file is not open.");
    WriteReportSection(*session.ReportFile, header, std::min(data.ObjectCount, AnalysisData::Capacity),
                       progress, [&](int i) { return MatrixRow(data, matrix, i); });
}

void WriteDissimilarityEcho(RunSession& session, const AnalysisData& data, Progress& progress)
{
    WriteMatrixSection(session, DissimilarityHeader(), data, data.DissimMatrix, progress);
}

void WriteSimilarityEcho(RunSession& session, const AnalysisData& data, Progress& progress)
{
    WriteMatrixSection(session, SimilarityHeader(), data, data.SimMatrix, progress);
}

void WriteComputedDistanceEcho(RunSession& session, const AnalysisData& data, Progress& progress)
{
    WriteMatrixSection(session, ComputedDistanceHeader(), data, data.DissimMatrix, progress);
}

} // namespace vantrel
