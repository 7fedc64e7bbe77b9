#include "batch/BatchInput.h"

#include "batch/BatchOptions.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeCsv.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributePress.h"
#include "input/core/Csv.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"
#include "runs/core/RunSession.h"

namespace vantrel {
namespace {

void LoadAttributeInput(const BatchOptions& options, AnalysisData& data, RunSession& session)
{
    const AttributeTexts table = HasCsvExtension(options.InputFile)
                                     ? ReadAttributeCsv(options.InputFile)
                                     : ReadAttributeDataFile(options.InputFile);

    ReportFileChooser chooseReport;
    if (!options.ReportFile.empty())
        chooseReport = [&options] { return std::optional<std::string>(options.ReportFile); };
    const AttributeDistanceKind kind =
        options.Standardize ? AttributeDistanceKind::Standardized : AttributeDistanceKind::Euclidean;
    PressAttributeDistance(table, kind, data, Attributes(), chooseReport, session.ReportFile);
}

} // namespace

void LoadBatchInput(const BatchOptions& options, AnalysisData& data, RunSession& session)
{
    if (options.Kind == RunKind::Attribute) {
        LoadAttributeInput(options, data, session);
        return;
    }
    MatrixTexts texts;
    if (HasCsvExtension(options.InputFile))
        ReadMatrixCsv(options.InputFile, texts);
    else
        texts = ReadMatrixDataFile(options.InputFile);
    const MatrixKind kind =
        options.Kind == RunKind::Similarity ? MatrixKind::Similarity : MatrixKind::Dissimilarity;
    ConfirmMatrixInput(texts, kind, data);
}

} // namespace vantrel
