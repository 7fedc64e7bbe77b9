#include "input/core/MatrixConfirm.h"

#include "engine/AnalysisData.h"
#include "input/core/CellNumber.h"
#include "input/core/MatrixGrid.h"

namespace vantrel {

CellConversionError::CellConversionError(int row, int column, const std::string& cellText)
    : Error("Error ===>  Cells[" + std::to_string(row) + "," + std::to_string(column) + "] = " + cellText),
      row_(row), column_(column), cellText_(cellText)
{
}

void ConfirmMatrixInput(const MatrixTexts& texts, MatrixKind kind, AnalysisData& data, Progress& progress)
{
    const int n = texts.ObjectCount();
    if (n > MaxObjects)
        throw Error(TooManyObjectsText(n));
    progress.Start("Converting the values", "rows", n);

    data.ObjectCount = n;
    for (int i = 1; i <= n; ++i)
        data.ObjectLabels[static_cast<std::size_t>(i)] = texts.Labels[static_cast<std::size_t>(i - 1)];

    TriangularMatrix& target = kind == MatrixKind::Dissimilarity ? data.DissimMatrix : data.SimMatrix;
    for (int i = 2; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            const std::string_view text = texts.Value(i, j);
            const std::optional<long double> value = ParseCellNumber(text);
            if (!value)
                throw CellConversionError(i, j, std::string(text));
            target(i, j) = *value;
        }
        progress.Advance(i);
    }
}

void ConfirmMatrixInput(const CellStore& labels, const CellStore& matrix, MatrixKind kind, AnalysisData& data,
                        Progress& progress)
{
    // Refused before the grids are copied, let alone the data written.
    if (ObjectCountOf(labels) > MaxObjects)
        throw Error(TooManyObjectsText(ObjectCountOf(labels)));
    ConfirmMatrixInput(MatrixTextsOfGrids(labels, matrix), kind, data, progress);
}

} // namespace vantrel
