#include "input/core/MatrixGridEditing.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixGrid.h"

namespace vantrel {

namespace {
const std::string blank = " ";
} // namespace

bool MatrixGridIsFull(const CellStore& labels) { return ObjectCountOf(labels) >= AnalysisData::Capacity; }

void InsertMatrixObject(CellStore& labels, CellStore& matrix, int selectedRow)
{
    const int n = ObjectCountOf(labels);
    // Grids without objects have no object row to select: the new object
    // is appended as object 1, whatever the selection.
    const bool inserts = selectedRow > 0 || n == 0;
    const int s = n == 0 ? 0 : selectedRow;
    if (inserts && MatrixGridIsFull(labels))
        throw Error(TooManyObjectsText(static_cast<long long>(n) + 1));

    if (inserts) {
        // Rows: append one, then move rows s+1..N down by one in columns 1..N.
        matrix.SetRowCount(n + 2);
        matrix.SetCell(0, n + 1, ObjectHeader(n + 1));
        for (int c = 1; c <= n; ++c)
            matrix.SetCell(c, n + 1, blank);
        if (s < n) {
            for (int k = n + 1; k >= s + 2; --k)
                for (int c = 1; c <= n; ++c)
                    matrix.Cell(c, k) = std::move(matrix.Cell(c, k - 1));
            for (int c = 1; c <= n; ++c)
                matrix.SetCell(c, s + 1, blank);
        }

        // Columns: append one, then move columns s+1..N right by one.
        matrix.SetColumnCount(n + 2);
        matrix.SetCell(n + 1, 0, ObjectHeader(n + 1));
        for (int r = 1; r <= n + 1; ++r)
            matrix.SetCell(n + 1, r, blank);
        if (s < n) {
            for (int k = n + 1; k >= s + 2; --k)
                for (int r = 1; r <= n + 1; ++r)
                    matrix.Cell(k, r) = std::move(matrix.Cell(k - 1, r));
            for (int r = 1; r <= n + 1; ++r)
                matrix.SetCell(s + 1, r, blank);
        }
    }

    RebuildMatrixMarks(matrix);

    if (inserts) {
        labels.SetRowCount(n + 2);
        labels.SetCell(0, n + 1, ObjectHeader(n + 1));
        labels.SetCell(1, n + 1, blank);
        if (s < n) {
            for (int k = n + 1; k >= s + 2; --k)
                labels.Cell(1, k) = std::move(labels.Cell(1, k - 1));
            labels.SetCell(1, s + 1, blank);
        }
    }
}

void DeleteMatrixObject(CellStore& labels, CellStore& matrix, int selectedRow)
{
    const int s = selectedRow;
    const int n = matrix.RowCount() - 1;

    if (s > 0 && s < n) {
        for (int k = s; k <= n - 1; ++k)
            for (int c = 1; c <= n; ++c)
                matrix.Cell(c, k) = std::move(matrix.Cell(c, k + 1));
        for (int k = s; k <= n - 1; ++k)
            for (int r = 1; r <= n; ++r)
                matrix.Cell(k, r) = std::move(matrix.Cell(k + 1, r));
    }
    if (s > 0 && n >= 2) {
        matrix.SetRowCount(matrix.RowCount() - 1);
        matrix.SetColumnCount(matrix.ColumnCount() - 1);
    }
    RebuildMatrixMarks(matrix);

    const int labelCount = ObjectCountOf(labels);
    if (s > 0 && s < labelCount)
        for (int k = s; k <= labelCount - 1; ++k)
            labels.Cell(1, k) = std::move(labels.Cell(1, k + 1));
    if (s > 0 && labels.RowCount() > 2)
        labels.SetRowCount(labels.RowCount() - 1);
    NumberLabelRows(labels);
}

} // namespace vantrel
