#pragma once

#include "common/Errors.h"
#include "common/Limits.h"
#include "input/core/MatrixTexts.h"
#include "platform/core/CellStore.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

struct AnalysisData;

// Which matrix of the shared data a matrix window fills.
enum class MatrixKind { Dissimilarity, Similarity };

// A value cell that is not a number. what() is the text the window shows in
// a plain message box: "Error ===>  Cells[" row "," column "] = " and the
// cell's bytes, row first. The text keeps the cell's code page 932 bytes.
class CellConversionError : public Error {
public:
    CellConversionError(int row, int column, const std::string& cellText);

    int Row() const { return row_; }
    int Column() const { return column_; }
    const std::string& CellText() const { return cellText_; }

private:
    int row_;
    int column_;
    std::string cellText_;
};

// The OK of a matrix window. From the texts it writes, in this order:
// ObjectCount := N, ObjectLabels[1..N] byte for byte, then the lower
// triangle of the chosen matrix row by row, left to right, each value
// converted from its text.
//
// A text that does not convert throws CellConversionError; the count, the
// labels and the entries before it stay written. N above MaxObjects throws
// Error before anything is written. The rows converted are counted on
// `progress`; a cancel stops like a failing cell.
void ConfirmMatrixInput(const MatrixTexts& texts, MatrixKind kind, AnalysisData& data,
                        Progress& progress = NoProgress());

// The same from the window's two grids: the label grid (2 columns, N + 1
// rows) and the matrix grid (pair (i, j), i > j, in cell [j, i]).
void ConfirmMatrixInput(const CellStore& labels, const CellStore& matrix, MatrixKind kind, AnalysisData& data,
                        Progress& progress = NoProgress());

} // namespace vantrel
