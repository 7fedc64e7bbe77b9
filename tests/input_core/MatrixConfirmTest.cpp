#include "input/core/MatrixConfirm.h"

#include "MatrixTestGrids.h"
#include "engine/AnalysisData.h"
#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <memory>

namespace vantrel {
namespace {

using testing::MatrixGrids;

class MatrixConfirmTest : public ::testing::Test {
protected:
    // A store of its own per test; the process-wide one is left alone.
    std::unique_ptr<AnalysisData> data_ = std::make_unique<AnalysisData>();
};

TEST_F(MatrixConfirmTest, StoresCountLabelsAndLowerTriangle)
{
    const std::string apple = Sjis("りんご");
    MatrixGrids grids({apple, " B ", ""}, {"1.5", " 2 ", "-0.7e1"});
    ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Dissimilarity, *data_);

    EXPECT_EQ(data_->ObjectCount, 3);
    EXPECT_EQ(data_->ObjectLabels[1], apple);
    EXPECT_EQ(data_->ObjectLabels[2], " B ");
    EXPECT_EQ(data_->ObjectLabels[3], "");
    EXPECT_EQ(data_->DissimMatrix(2, 1), 1.5L);
    EXPECT_EQ(data_->DissimMatrix(3, 1), 2.0L);
    EXPECT_EQ(data_->DissimMatrix(3, 2), -7.0L);
    EXPECT_EQ(data_->SimMatrix(2, 1), 0.0L);
}

TEST_F(MatrixConfirmTest, SimilarityKindFillsOnlyTheSimilarityMatrix)
{
    MatrixGrids grids({"a", "b"}, {"0.25"});
    ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Similarity, *data_);
    EXPECT_EQ(data_->SimMatrix(2, 1), 0.25L);
    EXPECT_EQ(data_->DissimMatrix(2, 1), 0.0L);
}

TEST_F(MatrixConfirmTest, IgnoresTheStarCells)
{
    MatrixGrids grids({"a", "b"}, {"3"});
    grids.Matrix.SetCell(2, 1, "typed over a star");
    grids.Matrix.SetCell(1, 1, "");
    ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Dissimilarity, *data_);
    EXPECT_EQ(data_->DissimMatrix(2, 1), 3.0L);
}

TEST_F(MatrixConfirmTest, FreshWindowReportsItsEmptyCell)
{
    CellStore labels;
    CellStore matrix;
    SetUpFreshGrids(labels, matrix);
    try {
        ConfirmMatrixInput(labels, matrix, MatrixKind::Dissimilarity, *data_);
        FAIL() << "an empty cell must not convert";
    } catch (const CellConversionError& error) {
        EXPECT_STREQ(error.what(), "Error ===>  Cells[2,1] = ");
        EXPECT_EQ(error.Row(), 2);
        EXPECT_EQ(error.Column(), 1);
    }
    EXPECT_EQ(data_->ObjectCount, 2);
}

TEST_F(MatrixConfirmTest, StopsAtTheFirstBadCellKeepingWhatCameBefore)
{
    data_->ObjectCount = 9;
    data_->DissimMatrix(3, 2) = 42.0L;
    data_->DissimMatrix(4, 1) = 43.0L;
    const std::string star = Sjis("値＊");
    // Row 3 holds the bad cell in column 2; row 4 has another bad one.
    MatrixGrids grids({"a", "b", "c", "d"}, {"1", "2", star, "x", "5", "6"});
    try {
        ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Dissimilarity, *data_);
        FAIL() << "a bad cell must stop the conversion";
    } catch (const CellConversionError& error) {
        EXPECT_EQ(std::string(error.what()), "Error ===>  Cells[3,2] = " + star);
        EXPECT_EQ(error.CellText(), star);
    }
    EXPECT_EQ(data_->ObjectCount, 4);
    EXPECT_EQ(data_->ObjectLabels[4], "d");
    EXPECT_EQ(data_->DissimMatrix(2, 1), 1.0L);
    EXPECT_EQ(data_->DissimMatrix(3, 1), 2.0L);
    EXPECT_EQ(data_->DissimMatrix(3, 2), 42.0L);
    EXPECT_EQ(data_->DissimMatrix(4, 1), 43.0L);
}

TEST_F(MatrixConfirmTest, MessageNamesRowThenColumnWithManyDigits)
{
    MatrixGrids grids(std::vector<std::string>(12, "x"), {});
    for (int i = 2; i <= 12; ++i)
        for (int j = 1; j < i; ++j)
            grids.Matrix.SetCell(j, i, "1");
    grids.Matrix.SetCell(10, 11, " *");
    try {
        ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Similarity, *data_);
        FAIL();
    } catch (const CellConversionError& error) {
        EXPECT_STREQ(error.what(), "Error ===>  Cells[11,10] =  *");
    }
}

TEST_F(MatrixConfirmTest, OneObjectStoresItsLabelOnly)
{
    MatrixGrids grids({"solo"}, {});
    ConfirmMatrixInput(grids.Labels, grids.Matrix, MatrixKind::Dissimilarity, *data_);
    EXPECT_EQ(data_->ObjectCount, 1);
    EXPECT_EQ(data_->ObjectLabels[1], "solo");
}

TEST_F(MatrixConfirmTest, GridsWithoutObjectsGiveZeroObjects)
{
    data_->ObjectCount = 5;
    ConfirmMatrixInput(CellStore(2, 1), CellStore(1, 1), MatrixKind::Dissimilarity, *data_);
    EXPECT_EQ(data_->ObjectCount, 0);
}

TEST_F(MatrixConfirmTest, RefusesMoreObjectsThanTheStoreHoldsBeforeWriting)
{
    data_->ObjectCount = 3;
    data_->ObjectLabels[1] = "old";
    CellStore labels(2, AnalysisData::Capacity + 2);
    CellStore matrix(AnalysisData::Capacity + 2, AnalysisData::Capacity + 2);
    labels.SetCell(1, 1, "new");
    try {
        ConfirmMatrixInput(labels, matrix, MatrixKind::Dissimilarity, *data_);
        FAIL();
    } catch (const CellConversionError&) {
        FAIL() << "the count is refused before any cell is read";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Too many objects: 1001 (at most 1000)");
    }
    EXPECT_EQ(data_->ObjectCount, 3);
    EXPECT_EQ(data_->ObjectLabels[1], "old");
}

TEST_F(MatrixConfirmTest, FillsTheLastEntryAtFullCapacity)
{
    const int n = AnalysisData::Capacity;
    CellStore labels(2, n + 1);
    CellStore matrix(n + 1, n + 1);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            matrix.SetCell(j, i, "1");
    matrix.SetCell(n - 1, n, "2.5");
    ConfirmMatrixInput(labels, matrix, MatrixKind::Dissimilarity, *data_);
    EXPECT_EQ(data_->ObjectCount, n);
    EXPECT_EQ(data_->DissimMatrix(n, n - 1), 2.5L);
}

TEST_F(MatrixConfirmTest, MissingMatrixCellsReadAsEmpty)
{
    // A matrix grid smaller than the label grid must not be read past its end.
    CellStore labels(2, 4);
    CellStore matrix(2, 3);
    matrix.SetCell(1, 2, "1");
    try {
        ConfirmMatrixInput(labels, matrix, MatrixKind::Dissimilarity, *data_);
        FAIL();
    } catch (const CellConversionError& error) {
        EXPECT_STREQ(error.what(), "Error ===>  Cells[3,1] = ");
    }
}

} // namespace
} // namespace vantrel
