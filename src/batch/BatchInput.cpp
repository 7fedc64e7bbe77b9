#include "batch/BatchInput.h"

#include "batch/BatchAttribute.h"
#include "batch/BatchMatrixInput.h"
#include "batch/BatchOptions.h"
#include "engine/AnalysisData.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixDataFile.h"

namespace vantrel {

void LoadBatchInput(const BatchOptions& options, AnalysisData& data)
{
    if (options.Kind == InputKind::Attribute) {
        LoadBatchAttributeInput(options, data);
        return;
    }
    CellStore labels;
    CellStore matrix;
    ReadMatrixInputFile(options.InputFile, labels, matrix);
    const MatrixKind kind = options.Kind == InputKind::Similarity ? MatrixKind::Similarity
                                                                   : MatrixKind::Dissimilarity;
    ConfirmMatrixInput(labels, matrix, kind, data);
}

} // namespace vantrel
