#include "input/core/MatrixGrid.h"

#include "platform/core/Cp932.h"
#include "platform/core/Padding.h"

namespace vantrel {

std::string ObjectHeader(int k)
{
    static const std::string prefix = Sjis(" 対象");
    return prefix + PadIndex(k);
}

std::string LabelGridCornerText() { return Sjis(" 対　象"); }

std::string LabelGridLabelHeaderText() { return Sjis(" ラベル"); }

const std::string& CellOrEmpty(const CellStore& cells, int column, int row)
{
    static const std::string empty;
    return cells.Contains(column, row) ? cells.Cell(column, row) : empty;
}

void RebuildMatrixMarks(CellStore& matrix)
{
    const int rows = matrix.RowCount();
    const int columns = matrix.ColumnCount();
    for (int k = 1; k < rows || k < columns; ++k) {
        const std::string header = ObjectHeader(k);
        if (k < rows)
            matrix.SetCell(0, k, header);
        if (k < columns)
            matrix.SetCell(k, 0, header);
    }
    for (int r = 1; r < rows; ++r)
        for (int c = r; c < columns; ++c)
            matrix.Cell(c, r).assign(1, '*');
}

void NumberLabelRows(CellStore& labels)
{
    for (int k = 1; k < labels.RowCount(); ++k)
        labels.SetCell(0, k, ObjectHeader(k));
}

void SetUpFreshGrids(CellStore& labels, CellStore& matrix)
{
    labels = CellStore(2, 3);
    labels.SetCell(0, 0, LabelGridCornerText());
    labels.SetCell(1, 0, LabelGridLabelHeaderText());
    NumberLabelRows(labels);

    matrix = CellStore(3, 3);
    RebuildMatrixMarks(matrix);
}

} // namespace vantrel
