#include "input/core/MatrixCsv.h"
#include "input/core/MatrixGridFiles.h"

#include "common/Errors.h"
#include "input/core/MatrixGrid.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

void Import(const std::string& contents, CellStore& labels, CellStore& matrix)
{
    TextFileReader reader("in.csv", contents);
    ImportMatrixCsv(reader, labels, matrix);
}

} // namespace

TEST(MatrixCsvExport, WritesTheLowerTriangleTable)
{
    ScratchDir dir;
    MatrixGrids grids({"A", "B", "C"}, {" 1.5 ", "2", "0.7\t"});
    ExportMatrixCsv(dir.File("m.csv"), grids.Labels, grids.Matrix);
    EXPECT_EQ(ReadBytes(dir.File("m.csv")), ",A,B,C\r\nA\r\nB,1.5\r\nC,2,0.7\r\n");
}

TEST(MatrixCsvExport, OneObjectGivesTwoLines)
{
    ScratchDir dir;
    MatrixGrids grids({"X"}, {});
    ExportMatrixCsv(dir.File("m.csv"), grids.Labels, grids.Matrix);
    EXPECT_EQ(ReadBytes(dir.File("m.csv")), ",X\r\nX\r\n");
}

TEST(MatrixCsvExport, LabelsWithBlanksOrCommasAreQuotedAndReadBack)
{
    ScratchDir dir;
    const std::string tokyo = Sjis("東京 都");
    MatrixGrids grids({"New York", "a,b", tokyo, "say \"x\""}, {"1", "2", "3", "4", "", "6"});
    ExportMatrixCsv(dir.File("m.csv"), grids.Labels, grids.Matrix);
    const std::string firstLine = ",\"New York\",\"a,b\",\"" + tokyo + "\",\"say \"\"x\"\"\"\r\n";
    EXPECT_EQ(ReadBytes(dir.File("m.csv")).substr(0, firstLine.size()), firstLine);

    CellStore labels, matrix;
    ImportMatrixCsv(dir.File("m.csv"), labels, matrix);
    ASSERT_EQ(labels.RowCount(), 5);
    EXPECT_EQ(labels.Cell(1, 1), "New York");
    EXPECT_EQ(labels.Cell(1, 2), "a,b");
    EXPECT_EQ(labels.Cell(1, 3), tokyo);
    EXPECT_EQ(labels.Cell(1, 4), "say \"x\"");
    EXPECT_EQ(matrix.Cell(1, 4), "4");
    EXPECT_EQ(matrix.Cell(2, 4), "");
    EXPECT_EQ(matrix.Cell(3, 4), "6");
}

TEST(MatrixCsvExport, UnwritableFileIsAnIoError)
{
    MatrixGrids grids({"A", "B"}, {"1"});
    EXPECT_THROW(ExportMatrixCsv("/nonexistent-dir/m.csv", grids.Labels, grids.Matrix), IoError);
}

TEST(MatrixCsvImport, RebuildsBothGrids)
{
    CellStore labels, matrix;
    Import(",A,B,C\r\nignored\r\nB, 1.5 \r\nC,2,0.7,extra\r\n", labels, matrix);
    ASSERT_EQ(labels.RowCount(), 4);
    ASSERT_EQ(matrix.RowCount(), 4);
    ASSERT_EQ(matrix.ColumnCount(), 4);
    EXPECT_EQ(labels.Cell(0, 3), ObjectHeader(3));
    EXPECT_EQ(labels.Cell(1, 1), "A");
    EXPECT_EQ(labels.Cell(1, 3), "C");
    EXPECT_EQ(matrix.Cell(0, 2), ObjectHeader(2));
    EXPECT_EQ(matrix.Cell(3, 0), ObjectHeader(3));
    EXPECT_EQ(matrix.Cell(1, 2), "1.5");
    EXPECT_EQ(matrix.Cell(1, 3), "2");
    EXPECT_EQ(matrix.Cell(2, 3), "0.7");
    EXPECT_EQ(matrix.Cell(1, 1), "*");
    EXPECT_EQ(matrix.Cell(3, 2), "*");
}

TEST(MatrixCsvImport, LabelsAtTheStartOfDataLinesAreNotRead)
{
    CellStore labels, matrix;
    Import(",P,Q\r\nZZ\r\nYY,4\r\n", labels, matrix);
    EXPECT_EQ(labels.Cell(1, 1), "P");
    EXPECT_EQ(labels.Cell(1, 2), "Q");
    EXPECT_EQ(matrix.Cell(1, 2), "4");
}

TEST(MatrixCsvImport, UnquotedBlankSplitsALabelAndShiftsValues)
{
    CellStore labels, matrix;
    Import(",A,B C\r\nA\r\nB C,5\r\nC,1,2\r\n", labels, matrix);
    // "B C" became two labels: three objects.
    ASSERT_EQ(labels.RowCount(), 4);
    EXPECT_EQ(labels.Cell(1, 3), "C");
    // In its own data line, the value moved one column right.
    EXPECT_EQ(matrix.Cell(1, 2), "C");
}

TEST(MatrixCsvImport, TooFewFieldsIsAnIndexErrorLeavingTheGridsAsFarAsTheyGot)
{
    CellStore labels, matrix;
    try {
        Import(",A,B,C\r\nA\r\nB,1\r\nC,2\r\n", labels, matrix);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("line 4"), std::string::npos);
    }
    EXPECT_EQ(labels.Cell(1, 3), "C");
    EXPECT_EQ(matrix.RowCount(), 4);
    EXPECT_EQ(matrix.Cell(1, 2), "1");
    // The "*" marks come last, so they were not written.
    EXPECT_EQ(matrix.Cell(1, 1), "");
}

TEST(MatrixCsvImport, MissingLineIsAnIndexError)
{
    CellStore labels, matrix;
    EXPECT_THROW(Import(",A,B\r\nA\r\n", labels, matrix), Error);
}

TEST(MatrixCsvImport, EmptyFirstLineLeavesNoObjects)
{
    MatrixGrids grids({"A", "B"}, {"1"});
    Import("", grids.Labels, grids.Matrix);
    EXPECT_EQ(grids.Labels.RowCount(), 1);
    EXPECT_EQ(grids.Matrix.RowCount(), 1);
    EXPECT_EQ(grids.Matrix.ColumnCount(), 1);
    EXPECT_EQ(grids.Labels.Cell(0, 0), LabelGridCornerText());
}

TEST(MatrixCsvImport, MoreThanThousandObjectsIsRefusedBeforeTheGridsChange)
{
    MatrixGrids grids({"A", "B"}, {"1"});
    std::string line;
    for (int i = 0; i <= 1001; ++i)
        line += ",x";
    EXPECT_THROW(Import(line + "\r\n", grids.Labels, grids.Matrix), Error);
    EXPECT_EQ(grids.Labels.RowCount(), 3);
    EXPECT_EQ(grids.Labels.Cell(1, 1), "A");
    EXPECT_EQ(grids.Matrix.Cell(1, 2), "1");
}

TEST(MatrixCsvImport, UnreadableFileIsAnIoError)
{
    CellStore labels, matrix;
    EXPECT_THROW(ImportMatrixCsv("/nonexistent-dir/m.csv", labels, matrix), IoError);
}
