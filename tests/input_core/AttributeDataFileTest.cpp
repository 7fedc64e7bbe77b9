#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeGridFiles.h"

#include "common/Errors.h"
#include "input/core/AttributeTable.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include "input_core/MatrixTestGrids.h"
#include "support/AttributeTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vantrel {
namespace {

using testing::ReadBytes;

// The files of these tests live in one scratch folder, removed at exit.
std::string TempPath(const std::string& name)
{
    static const testing::ScratchDir dir;
    return dir.File(name);
}

CellStore Example() { return testing::ExampleAttributeTable(); }

CellStore Load(const std::string& contents)
{
    CellStore cells;
    AttributeTable::Initialize(cells);
    TextFileReader reader("table.dat", contents);
    LoadAttributeDataFile(reader, cells);
    return cells;
}

TEST(AttributeDataFile, SavesCountsThenTrimmedCellsRowByRow)
{
    const std::string path = TempPath("example.dat");
    CellStore cells = Example();
    cells.SetCell(1, 2, "  A\t");
    cells.SetCell(3, 3, " ");
    SaveAttributeDataFile(path, cells);
    EXPECT_EQ(ReadBytes(path), "4\r\n4\r\n\r\nx\r\ny\r\nA\r\n1\r\n2\r\nB\r\n3\r\n\r\n");
    std::remove(path.c_str());
}

TEST(AttributeDataFile, RoundTripKeepsEveryCellTrimmedAndTextsWithBlanksWhole)
{
    const std::string path = TempPath("round.dat");
    CellStore cells = Example();
    cells.SetCell(1, 1, Sjis("角"));
    cells.SetCell(1, 2, Sjis(" 東京, 大阪 "));
    cells.SetCell(2, 3, " ");
    SaveAttributeDataFile(path, cells);

    CellStore loaded;
    AttributeTable::Initialize(loaded);
    LoadAttributeDataFile(path, loaded);
    ASSERT_EQ(loaded.ColumnCount(), 4);
    ASSERT_EQ(loaded.RowCount(), 4);
    EXPECT_EQ(loaded.Cell(1, 1), Sjis("角"));
    EXPECT_EQ(loaded.Cell(1, 2), Sjis("東京, 大阪"));
    EXPECT_EQ(loaded.Cell(2, 3), "") << "a blank cell comes back empty";
    EXPECT_EQ(loaded.Cell(3, 3), "4");
    EXPECT_EQ(loaded.Cell(3, 1), "y");
    std::remove(path.c_str());
}

TEST(AttributeDataFile, LoadNumbersHeadersAndKeepsFixedTexts)
{
    const CellStore cells = Load("5\n5\n");
    ASSERT_EQ(cells.ColumnCount(), 5);
    ASSERT_EQ(cells.RowCount(), 5);
    EXPECT_EQ(cells.Cell(2, 0), Sjis(" 属性 1"));
    EXPECT_EQ(cells.Cell(4, 0), Sjis(" 属性 3"));
    EXPECT_EQ(cells.Cell(0, 4), Sjis(" 対象 3"));
    EXPECT_EQ(cells.Cell(0, 1), Sjis(" 属性ラベル"));
    EXPECT_EQ(cells.Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(cells.Cell(4, 4), "") << "lines past the end read empty";
}

TEST(AttributeDataFile, CountsSkipBlanksAndIgnoreRestOfLine)
{
    const CellStore cells = Load("\r\n  3 rows\r\n\t3\r\ncorner\r\nname\r\nlabel\r\n1.5\r\n");
    ASSERT_EQ(cells.RowCount(), 3);
    ASSERT_EQ(cells.ColumnCount(), 3);
    EXPECT_EQ(cells.Cell(1, 1), "corner");
    EXPECT_EQ(cells.Cell(2, 2), "1.5");
}

TEST(AttributeDataFile, BadCountsAreRefusedLeavingTableUntouched)
{
    for (const std::string contents : {"x\n3\n", "3\n3.5\n", "", "1\n3\n", "3\n1\n", "-4\n3\n", "1003\n3\n",
                                       "3\n203\n", "99999999999\n3\n"}) {
        CellStore cells = Example();
        TextFileReader reader("bad.dat", contents);
        EXPECT_THROW(LoadAttributeDataFile(reader, cells), Error) << contents;
        EXPECT_EQ(cells.RowCount(), 4) << contents;
        EXPECT_EQ(cells.ColumnCount(), 4) << contents;
        EXPECT_EQ(cells.Cell(3, 3), "4") << contents;
    }
}

TEST(AttributeDataFile, LargestTableLoads) { EXPECT_NO_THROW(Load("1002\n202\n")); }

TEST(AttributeDataFile, MissingFileIsAnIoError)
{
    CellStore cells = Example();
    EXPECT_THROW(LoadAttributeDataFile(TempPath("does-not-exist.dat"), cells), IoError);
    EXPECT_THROW(SaveAttributeDataFile("/nonexistent-dir/x.dat", cells), IoError);
}

} // namespace
} // namespace vantrel
