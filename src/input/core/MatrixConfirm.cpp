#include "input/core/MatrixConfirm.h"

#include "engine/AnalysisData.h"
#include "input/core/CellNumber.h"
#include "input/core/MatrixGrid.h"

namespace vantrel {

CellConversionError::CellConversionError(int row, int column, const std::string& cellText)
    : Error("Error ===>  Cells[" + std::to_string(row) + "," + std::to_string(column) + "] = " +
            cellText),
      row_(row), column_(column), cellText_(cellText)
{
}

void ConfirmMatrixInput(const CellStore& labels, const CellStore& matrix, MatrixKind kind,
                        AnalysisData& data)
{
    const int n = ObjectCountOf(labels);
    if (n > AnalysisData::Capacity)
        throw Error(TooManyObjectsText(n));

    data.ObjectCount = n;
    for (int i = 1; i <= n; ++i)
        data.ObjectLabels[i] = CellOrEmpty(labels, 1, i);

    TriangularMatrix& target =
        kind == MatrixKind::Dissimilarity ? data.DissimMatrix : data.SimMatrix;
    for (int i = 2; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            const std::string& text = CellOrEmpty(matrix, j, i);
            const std::optional<long double> value = ParseCellNumber(text);
            if (!value)
                throw CellConversionError(i, j, text);
            target(i, j) = *value;
        }
    }
}

} // namespace vantrel
