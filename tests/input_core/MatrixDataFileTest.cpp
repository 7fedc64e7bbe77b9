#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGridFiles.h"

#include "MatrixTestGrids.h"
#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::MatrixGrids;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

// Loads `bytes` as a file into grids that held something else before.
MatrixGrids LoadBytes(const std::string& bytes)
{
    MatrixGrids grids({"old1", "old2", "old3"}, {"9", "9", "9"});
    TextFileReader reader("test.dat", bytes);
    LoadMatrixDataFile(reader, grids.Labels, grids.Matrix);
    return grids;
}

TEST(MatrixDataFileTest, SavesTheLayoutByteForByte)
{
    ScratchDir dir;
    const std::string apple = Sjis("りんご");
    MatrixGrids grids({apple, " B ", ""}, {" 1.5 ", "\t2\x01", "not a number"});
    SaveMatrixDataFile(dir.File("m.dat"), grids.Labels, grids.Matrix);
    EXPECT_EQ(ReadBytes(dir.File("m.dat")), "3\r\n" + apple + "\r\n B \r\n\r\n1.5\r\n2\r\nnot a number\r\n");
}

TEST(MatrixDataFileTest, SavesOneObjectAsTwoLines)
{
    ScratchDir dir;
    MatrixGrids grids({"only"}, {});
    SaveMatrixDataFile(dir.File("one.dat"), grids.Labels, grids.Matrix);
    EXPECT_EQ(ReadBytes(dir.File("one.dat")), "1\r\nonly\r\n");
}

TEST(MatrixDataFileTest, RoundTripKeepsLabelsAndTrimmedValues)
{
    ScratchDir dir;
    const std::string kanji = Sjis("表ソ"); // trail bytes 0x5C would fool a naive reader
    MatrixGrids saved({" a ", kanji, "c"}, {" 1 ", "", "2e3 "});
    SaveMatrixDataFile(dir.File("r.dat"), saved.Labels, saved.Matrix);

    CellStore labels;
    CellStore matrix;
    LoadMatrixDataFile(dir.File("r.dat"), labels, matrix);
    ASSERT_EQ(labels.RowCount(), 4);
    EXPECT_EQ(labels.Cell(1, 1), " a ");
    EXPECT_EQ(labels.Cell(1, 2), kanji);
    EXPECT_EQ(matrix.Cell(1, 2), "1");
    EXPECT_EQ(matrix.Cell(1, 3), "");
    EXPECT_EQ(matrix.Cell(2, 3), "2e3");
}

TEST(MatrixDataFileTest, LoadRebuildsHeadersAndStars)
{
    MatrixGrids grids = LoadBytes("2\r\nx\r\ny\r\n4\r\n");
    EXPECT_EQ(grids.Labels.RowCount(), 3);
    EXPECT_EQ(grids.Labels.Cell(0, 0), Sjis(" 対　象"));
    EXPECT_EQ(grids.Labels.Cell(0, 2), Sjis(" 対象 2"));
    EXPECT_EQ(grids.Labels.Cell(1, 2), "y");
    ASSERT_EQ(grids.Matrix.ColumnCount(), 3);
    ASSERT_EQ(grids.Matrix.RowCount(), 3);
    EXPECT_EQ(grids.Matrix.Cell(0, 1), Sjis(" 対象 1"));
    EXPECT_EQ(grids.Matrix.Cell(2, 0), Sjis(" 対象 2"));
    EXPECT_EQ(grids.Matrix.Cell(1, 1), "*");
    EXPECT_EQ(grids.Matrix.Cell(2, 1), "*");
    EXPECT_EQ(grids.Matrix.Cell(2, 2), "*");
    EXPECT_EQ(grids.Matrix.Cell(1, 2), "4");
}

TEST(MatrixDataFileTest, ReadsTheCountLikeANumberReader)
{
    // Leading blank lines and control characters, trailing text on the line.
    MatrixGrids grids = LoadBytes("\r\n \t\x01 2 objects follow\r\nA\nB\r\n 7 \r\n");
    EXPECT_EQ(grids.Labels.RowCount(), 3);
    EXPECT_EQ(grids.Labels.Cell(1, 1), "A");
    EXPECT_EQ(grids.Labels.Cell(1, 2), "B");
    EXPECT_EQ(grids.Matrix.Cell(1, 2), " 7 ");

    EXPECT_EQ(LoadBytes("+2\nA\nB\n1\n").Labels.RowCount(), 3);
    EXPECT_EQ(LoadBytes("0002\nA\nB\n1\n").Labels.RowCount(), 3);
}

TEST(MatrixDataFileTest, CountEndsTheLineEvenWithoutText)
{
    // The count's own line end is consumed: the first label is the next line.
    MatrixGrids grids = LoadBytes("1\n\nlater");
    EXPECT_EQ(grids.Labels.Cell(1, 1), "");
}

TEST(MatrixDataFileTest, ShortFileReadsMissingLinesAsEmpty)
{
    MatrixGrids grids = LoadBytes("3\r\nA\r\n");
    EXPECT_EQ(grids.Labels.RowCount(), 4);
    EXPECT_EQ(grids.Labels.Cell(1, 1), "A");
    EXPECT_EQ(grids.Labels.Cell(1, 2), "");
    EXPECT_EQ(grids.Labels.Cell(1, 3), "");
    EXPECT_EQ(grids.Matrix.Cell(1, 2), "");
    EXPECT_EQ(grids.Matrix.Cell(2, 3), "");
    EXPECT_EQ(grids.Matrix.Cell(3, 3), "*");
}

TEST(MatrixDataFileTest, IgnoresLinesAfterTheLastValue)
{
    MatrixGrids grids = LoadBytes("2\r\nA\r\nB\r\n1\r\nextra\r\nmore\r\n");
    EXPECT_EQ(grids.Labels.RowCount(), 3);
    EXPECT_EQ(grids.Matrix.RowCount(), 3);
    EXPECT_EQ(grids.Matrix.Cell(1, 2), "1");
}

TEST(MatrixDataFileTest, EmptyFileGivesNoObjects)
{
    MatrixGrids grids = LoadBytes("");
    EXPECT_EQ(grids.Labels.RowCount(), 1);
    EXPECT_EQ(grids.Labels.ColumnCount(), 2);
    EXPECT_EQ(grids.Matrix.RowCount(), 1);
    EXPECT_EQ(grids.Matrix.ColumnCount(), 1);
    EXPECT_EQ(LoadBytes(" \r\n\r\n").Labels.RowCount(), 1);
}

TEST(MatrixDataFileTest, NegativeCountLeavesOnlyTheHeaderRow)
{
    MatrixGrids grids = LoadBytes("-5\r\nA\r\n");
    EXPECT_EQ(grids.Labels.RowCount(), 1);
    EXPECT_EQ(grids.Labels.Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(grids.Matrix.RowCount(), 1);
    EXPECT_EQ(grids.Matrix.ColumnCount(), 1);
    EXPECT_EQ(LoadBytes("-2147483648\n").Labels.RowCount(), 1);
}

TEST(MatrixDataFileTest, RefusesACountThatIsNotAnInteger)
{
    for (const char* bytes : {"abc\r\n", "3x\r\n1\r\n", "2.0\r\n", "-\r\n", "+\n", "$10\n", "2147483648\n",
                              "99999999999999999999999\n"}) {
        MatrixGrids grids({"keep"}, {});
        TextFileReader reader("bad.dat", bytes);
        try {
            LoadMatrixDataFile(reader, grids.Labels, grids.Matrix);
            ADD_FAILURE() << "accepted " << bytes;
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find("bad.dat"), std::string::npos);
        }
        EXPECT_EQ(grids.Labels.Cell(1, 1), "keep") << bytes;
    }
}

TEST(MatrixDataFileTest, RefusesMoreObjectsThanTheStoreHoldsWithoutChangingTheGrids)
{
    MatrixGrids grids({"keep", "also"}, {"1"});
    TextFileReader reader("big.dat", "1001\r\n");
    try {
        LoadMatrixDataFile(reader, grids.Labels, grids.Matrix);
        FAIL();
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "big.dat: Too many objects: 1001 (at most 1000)");
    }
    EXPECT_EQ(grids.Labels.RowCount(), 3);
    EXPECT_EQ(grids.Matrix.Cell(1, 2), "1");
}

TEST(MatrixDataFileTest, LoadsFullCapacity)
{
    std::string bytes = "1000\r\n";
    for (int i = 1; i <= 1000; ++i)
        bytes += "L" + std::to_string(i) + "\r\n";
    for (int k = 0; k < 1000 * 999 / 2; ++k)
        bytes += std::to_string(k) + "\r\n";
    CellStore labels;
    CellStore matrix;
    TextFileReader reader("full.dat", bytes);
    LoadMatrixDataFile(reader, labels, matrix);
    EXPECT_EQ(labels.Cell(1, 1000), "L1000");
    EXPECT_EQ(labels.Cell(0, 1000), Sjis(" 対象1000"));
    EXPECT_EQ(matrix.Cell(999, 1000), std::to_string(1000 * 999 / 2 - 1));
    EXPECT_EQ(matrix.Cell(1000, 1000), "*");
}

TEST(MatrixDataFileTest, FileErrorsNameTheFile)
{
    ScratchDir dir;
    CellStore labels;
    CellStore matrix;
    EXPECT_THROW(LoadMatrixDataFile(dir.File("missing.dat"), labels, matrix), IoError);
    MatrixGrids grids({"a"}, {});
    try {
        SaveMatrixDataFile(dir.File("no/such/folder.dat"), grids.Labels, grids.Matrix);
        FAIL();
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("folder.dat"), std::string::npos);
    }
}

TEST(MatrixDataFileTest, SampleFilesLoad)
{
    for (const char* name : {"fruits.dat", "fruits-sim.dat"}) {
        CellStore labels;
        CellStore matrix;
        LoadMatrixDataFile(std::string(VANTREL_SOURCE_DIR) + "/samples/" + name, labels, matrix);
        EXPECT_EQ(labels.RowCount(), 9) << name;
        EXPECT_EQ(labels.Cell(1, 1), Sjis("りんご")) << name;
        EXPECT_FALSE(matrix.Cell(7, 8).empty()) << name;
    }
}

TEST(MatrixDataFileTest, TrimRemovesControlsAndBlanksOnly)
{
    EXPECT_EQ(TrimControls(" \t\r\n\x01x y\x1f "), "x y");
    EXPECT_EQ(TrimControls("   "), "");
    const std::string wide = Sjis("　x　"); // full-width blanks are text
    EXPECT_EQ(TrimControls(wide), wide);
}

} // namespace
} // namespace vantrel
