#include "input/core/MatrixGrid.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(MatrixGridTest, HeadersPadSingleDigits)
{
    EXPECT_EQ(ObjectHeader(7), Sjis(" 対象 7"));
    EXPECT_EQ(ObjectHeader(10), Sjis(" 対象10"));
    EXPECT_EQ(ObjectHeader(1000), Sjis(" 対象1000"));
}

TEST(MatrixGridTest, FreshGridsHoldTwoObjectsAndOneEmptyCell)
{
    CellStore labels;
    CellStore matrix;
    SetUpFreshGrids(labels, matrix);
    EXPECT_EQ(labels.ColumnCount(), 2);
    EXPECT_EQ(labels.RowCount(), 3);
    EXPECT_EQ(labels.Cell(0, 0), Sjis(" 対　象"));
    EXPECT_EQ(labels.Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(labels.Cell(0, 2), Sjis(" 対象 2"));
    EXPECT_EQ(labels.Cell(1, 1), "");
    EXPECT_EQ(matrix.Cell(0, 0), "");
    EXPECT_EQ(matrix.Cell(0, 1), Sjis(" 対象 1"));
    EXPECT_EQ(matrix.Cell(2, 0), Sjis(" 対象 2"));
    EXPECT_EQ(matrix.Cell(1, 1), "*");
    EXPECT_EQ(matrix.Cell(2, 1), "*");
    EXPECT_EQ(matrix.Cell(2, 2), "*");
    EXPECT_EQ(matrix.Cell(1, 2), "");
}

TEST(MatrixGridTest, RebuildRestoresStarsAndKeepsValues)
{
    CellStore matrix(4, 4);
    matrix.SetCell(2, 1, "typed");
    matrix.SetCell(1, 3, "5");
    matrix.SetCell(0, 2, "stale header");
    RebuildMatrixMarks(matrix);
    EXPECT_EQ(matrix.Cell(2, 1), "*");
    EXPECT_EQ(matrix.Cell(3, 3), "*");
    EXPECT_EQ(matrix.Cell(1, 3), "5");
    EXPECT_EQ(matrix.Cell(0, 2), Sjis(" 対象 2"));
    EXPECT_EQ(matrix.Cell(3, 0), Sjis(" 対象 3"));
    EXPECT_EQ(matrix.Cell(0, 0), "");
}

TEST(MatrixGridTest, RebuildStaysInsideUnequalShapes)
{
    CellStore wide(5, 2);
    RebuildMatrixMarks(wide);
    EXPECT_EQ(wide.Cell(4, 1), "*");
    EXPECT_EQ(wide.Cell(4, 0), Sjis(" 対象 4"));
    CellStore tall(2, 5);
    RebuildMatrixMarks(tall);
    EXPECT_EQ(tall.Cell(0, 4), Sjis(" 対象 4"));
    EXPECT_EQ(tall.Cell(1, 4), "");
}

} // namespace
} // namespace vantrel
