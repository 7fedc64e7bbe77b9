#pragma once

#include "input/core/MatrixGrid.h"
#include "platform/core/CellStore.h"
#include "support/ScratchFiles.h"

#include <string>
#include <vector>

namespace vantrel::testing {

// The two grids of a matrix window holding the given labels and the lower
// triangle's cell texts in file order ((2,1), (3,1), (3,2), ...).
struct MatrixGrids {
    CellStore Labels;
    CellStore Matrix;

    MatrixGrids(const std::vector<std::string>& labels, const std::vector<std::string>& values)
    {
        SetUpFreshGrids(Labels, Matrix);
        const int n = static_cast<int>(labels.size());
        Labels.SetRowCount(n + 1);
        NumberLabelRows(Labels);
        Matrix.Resize(n + 1, n + 1);
        RebuildMatrixMarks(Matrix);
        for (int i = 1; i <= n; ++i)
            Labels.SetCell(1, i, labels[i - 1]);
        std::size_t k = 0;
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                Matrix.SetCell(j, i, k < values.size() ? values[k++] : " ");
    }
};

} // namespace vantrel::testing
