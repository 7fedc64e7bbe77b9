#include "input/core/MatrixGrid.h"

#include "platform/core/Cp932.h"
#include "platform/core/Padding.h"

#include <algorithm>

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

MatrixTexts MatrixTextsOfGrids(const CellStore& labels, const CellStore& matrix)
{
    MatrixTexts texts;
    const int n = std::max(ObjectCountOf(labels), 0);
    texts.Labels.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i)
        texts.Labels.push_back(CellOrEmpty(labels, 1, i));
    texts.Values.Reserve(texts.PairCount(), 0);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            texts.Values.Append(CellOrEmpty(matrix, j, i));
    return texts;
}

void ShowMatrixTexts(const MatrixTexts& texts, CellStore& labels, CellStore& matrix)
{
    const int n = texts.ObjectCount();
    // The label grid has two columns; a store of any other shape gets them.
    labels.Resize(2, n + 1);
    for (int i = 1; i <= n; ++i) {
        labels.SetCell(0, i, ObjectHeader(i));
        labels.SetCell(1, i, texts.Labels[static_cast<std::size_t>(i - 1)]);
    }
    matrix.Resize(n + 1, n + 1);
    for (int k = 1; k <= n; ++k) {
        const std::string header = ObjectHeader(k);
        matrix.SetCell(0, k, header);
        matrix.SetCell(k, 0, header);
    }
    std::size_t k = 0;
    for (int i = 2; i <= n && k < texts.Values.Size(); ++i)
        for (int j = 1; j < i && k < texts.Values.Size(); ++j)
            matrix.Cell(j, i).assign(texts.Values[k++]);
    if (texts.Complete())
        RebuildMatrixMarks(matrix);
}

} // namespace vantrel
