#include "input/core/MatrixGridEditing.h"

#include "common/Errors.h"
#include "input/core/MatrixGrid.h"
#include "input_core/MatrixTestGrids.h"

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// Lower-triangle texts in file order, labels and headers checked as a whole.
std::vector<std::string> Values(const CellStore& matrix)
{
    std::vector<std::string> values;
    for (int i = 2; i < matrix.RowCount(); ++i)
        for (int j = 1; j < i; ++j)
            values.push_back(matrix.Cell(j, i));
    return values;
}

std::vector<std::string> Labels(const CellStore& labels)
{
    std::vector<std::string> result;
    for (int i = 1; i < labels.RowCount(); ++i)
        result.push_back(labels.Cell(1, i));
    return result;
}

void ExpectWellFormed(const MatrixGrids& grids)
{
    const int n = grids.Labels.RowCount() - 1;
    ASSERT_EQ(grids.Matrix.RowCount(), n + 1);
    ASSERT_EQ(grids.Matrix.ColumnCount(), n + 1);
    for (int k = 1; k <= n; ++k) {
        EXPECT_EQ(grids.Labels.Cell(0, k), ObjectHeader(k));
        EXPECT_EQ(grids.Matrix.Cell(0, k), ObjectHeader(k));
        EXPECT_EQ(grids.Matrix.Cell(k, 0), ObjectHeader(k));
        for (int c = k; c <= n; ++c)
            EXPECT_EQ(grids.Matrix.Cell(c, k), "*");
    }
}

using Texts = std::vector<std::string>;

} // namespace

TEST(InsertMatrixObject, InTheMiddleShiftsLaterObjectsWithTheirValues)
{
    // Pairs (2,1)=21, (3,1)=31, (3,2)=32.
    MatrixGrids grids({"A", "B", "C"}, {"21", "31", "32"});
    InsertMatrixObject(grids.Labels, grids.Matrix, 2);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A", "B", " ", "C"}));
    // New object 3 is blank; old 3 is now 4 and keeps 31 and 32.
    EXPECT_EQ(Values(grids.Matrix), (Texts{"21", " ", " ", "31", "32", " "}));
}

TEST(InsertMatrixObject, AtTheLastObjectAppends)
{
    MatrixGrids grids({"A", "B", "C"}, {"21", "31", "32"});
    InsertMatrixObject(grids.Labels, grids.Matrix, 3);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A", "B", "C", " "}));
    EXPECT_EQ(Values(grids.Matrix), (Texts{"21", "31", "32", " ", " ", " "}));
}

TEST(InsertMatrixObject, AtTheFirstObjectAndPastNineRenumbersHeaders)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 9; ++i)
        names.push_back(std::string(1, static_cast<char>('a' + i - 1)));
    MatrixGrids grids(names, {});
    InsertMatrixObject(grids.Labels, grids.Matrix, 1);
    ExpectWellFormed(grids);
    EXPECT_EQ(grids.Labels.Cell(1, 2), " ");
    EXPECT_EQ(grids.Labels.Cell(1, 10), "i");
    EXPECT_EQ(grids.Matrix.Cell(0, 10), ObjectHeader(10));
}

TEST(InsertMatrixObject, NoSelectedRowOnlyRemarks)
{
    MatrixGrids grids({"A", "B"}, {"21"});
    grids.Matrix.SetCell(2, 1, "typed");
    InsertMatrixObject(grids.Labels, grids.Matrix, 0);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A", "B"}));
    EXPECT_EQ(grids.Matrix.Cell(2, 1), "*");
}

TEST(InsertMatrixObject, RefusesTheThousandAndFirstObject)
{
    MatrixGrids grids(std::vector<std::string>(1000, "x"), {});
    EXPECT_THROW(InsertMatrixObject(grids.Labels, grids.Matrix, 5), Error);
    EXPECT_EQ(grids.Labels.RowCount(), 1001);
    EXPECT_EQ(grids.Matrix.ColumnCount(), 1001);
}

TEST(DeleteMatrixObject, TheFirstMovesTheOthersBack)
{
    MatrixGrids grids({"A", "B", "C"}, {"21", "31", "32"});
    DeleteMatrixObject(grids.Labels, grids.Matrix, 1);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"B", "C"}));
    EXPECT_EQ(Values(grids.Matrix), (Texts{"32"}));
}

TEST(DeleteMatrixObject, TheMiddleOne)
{
    MatrixGrids grids({"A", "B", "C", "D"}, {"21", "31", "32", "41", "42", "43"});
    DeleteMatrixObject(grids.Labels, grids.Matrix, 2);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A", "C", "D"}));
    EXPECT_EQ(Values(grids.Matrix), (Texts{"31", "41", "43"}));
}

TEST(DeleteMatrixObject, TheLastRemovesOnlyItsRowAndColumn)
{
    MatrixGrids grids({"A", "B", "C"}, {"21", "31", "32"});
    DeleteMatrixObject(grids.Labels, grids.Matrix, 3);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A", "B"}));
    EXPECT_EQ(Values(grids.Matrix), (Texts{"21"}));
}

TEST(DeleteMatrixObject, TheOnlyObjectStays)
{
    MatrixGrids grids({"A"}, {});
    DeleteMatrixObject(grids.Labels, grids.Matrix, 1);
    ExpectWellFormed(grids);
    EXPECT_EQ(Labels(grids.Labels), (Texts{"A"}));
}

TEST(DeleteMatrixObject, InsertThenDeleteRestoresTheGrids)
{
    MatrixGrids grids({"A", "B", "C", "D"}, {"21", "31", "32", "41", "42", "43"});
    const CellStore labels = grids.Labels;
    const CellStore matrix = grids.Matrix;
    InsertMatrixObject(grids.Labels, grids.Matrix, 2);
    DeleteMatrixObject(grids.Labels, grids.Matrix, 3);
    EXPECT_EQ(Labels(grids.Labels), Labels(labels));
    EXPECT_EQ(Values(grids.Matrix), Values(matrix));
    ExpectWellFormed(grids);
}
