#include "input/core/AttributeCsv.h"
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

CellStore Read(const std::string& contents)
{
    CellStore cells = Example();
    cells.SetCell(1, 1, "corner");
    TextFileReader reader("table.csv", contents);
    ReadAttributeCsv(reader, cells);
    return cells;
}

TEST(AttributeCsv, WritesOneLinePerRowFromTheCorner)
{
    const std::string path = TempPath("example.csv");
    WriteAttributeCsv(path, Example());
    EXPECT_EQ(ReadBytes(path), ",x,y\r\nA,1,2\r\nB,3,4\r\n");
    std::remove(path.c_str());
}

TEST(AttributeCsv, QuotesOnlyFieldsThatWouldNotReadBack)
{
    const std::string path = TempPath("quoted.csv");
    CellStore cells = Example();
    cells.SetCell(1, 2, "A, B");
    cells.SetCell(2, 2, " 1 ");
    cells.SetCell(3, 2, "say \"hi\"");
    cells.SetCell(3, 3, " ");
    cells.SetCell(1, 3, Sjis("東京"));
    WriteAttributeCsv(path, cells);
    EXPECT_EQ(ReadBytes(path),
              ",x,y\r\n\"A, B\",\" 1 \",\"say \"\"hi\"\"\"\r\n" + Sjis("東京") + ",3,\" \"\r\n");

    CellStore back = Example();
    ReadAttributeCsv(path, back);
    for (int row = 2; row < 4; ++row)
        for (int column = 1; column < 4; ++column)
            EXPECT_EQ(back.Cell(column, row), cells.Cell(column, row)) << column << "," << row;
    std::remove(path.c_str());
}

TEST(AttributeCsv, ReadSetsNamesHeadersAndKeepsCorner)
{
    const CellStore cells = Read(",p,q,r\r\nA,1,2,3\r\nB,4,5,6\r\n");
    ASSERT_EQ(cells.ColumnCount(), 5);
    ASSERT_EQ(cells.RowCount(), 4);
    EXPECT_EQ(cells.Cell(1, 1), "corner");
    EXPECT_EQ(cells.Cell(4, 1), "r");
    EXPECT_EQ(cells.Cell(4, 0), Sjis(" 属性 3"));
    EXPECT_EQ(cells.Cell(0, 3), Sjis(" 対象 2"));
    EXPECT_EQ(cells.Cell(4, 3), "6");
    EXPECT_EQ(cells.Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(cells.Cell(0, 1), Sjis(" 属性ラベル"));
}

TEST(AttributeCsv, UnquotedBlanksSplitFieldsAndShiftTheRow)
{
    const CellStore cells = Read(",x,y\nA B,1,2\nC,3, \n");
    ASSERT_EQ(cells.RowCount(), 4);
    EXPECT_EQ(cells.Cell(1, 2), "A");
    EXPECT_EQ(cells.Cell(2, 2), "B");
    EXPECT_EQ(cells.Cell(3, 2), "1") << "the last value drops off";
    EXPECT_EQ(cells.Cell(2, 3), "3");
    EXPECT_EQ(cells.Cell(3, 3), "") << "a trailing blank field is missing";
}

TEST(AttributeCsv, QuotedFieldsFromOtherPrograms)
{
    const CellStore cells = Read(",x\r\n\"A, B\",\"1\"\"2\"\r\n\"open,1\r\n");
    EXPECT_EQ(cells.Cell(1, 2), "A, B");
    EXPECT_EQ(cells.Cell(2, 2), "1\"2");
    EXPECT_EQ(cells.Cell(1, 3), "open,1") << "an unclosed quote runs to the line end";
}

TEST(AttributeCsv, LineEndsAndEmptyLinesAtTheEnd)
{
    EXPECT_EQ(Read(",x\r\nA,1\r\n").RowCount(), 3);
    EXPECT_EQ(Read(",x\r\nA,1").RowCount(), 3);
    const CellStore extra = Read(",x\r\nA,1\r\n\r\n");
    ASSERT_EQ(extra.RowCount(), 4);
    EXPECT_EQ(extra.Cell(0, 3), Sjis(" 対象 2"));
    EXPECT_EQ(extra.Cell(1, 3), "");
    EXPECT_EQ(extra.Cell(2, 3), "");
    const CellStore onlyNames = Read(",x,y\r\n");
    ASSERT_EQ(onlyNames.RowCount(), 3) << "one object row with no cells";
    EXPECT_EQ(onlyNames.Cell(1, 2), "");
}

TEST(AttributeCsv, ShortAndLongRows)
{
    const CellStore cells = Read(",x,y\r\nA\r\nB,1,2,3,4\r\n");
    ASSERT_EQ(cells.ColumnCount(), 4);
    EXPECT_EQ(cells.Cell(1, 2), "A");
    EXPECT_EQ(cells.Cell(2, 2), "");
    EXPECT_EQ(cells.Cell(3, 3), "2");
}

TEST(AttributeCsv, EmptyFirstLineGivesNoAttributes)
{
    for (const std::string contents : {"\r\nA,1\r\n", ""}) {
        const CellStore cells = Read(contents);
        EXPECT_EQ(cells.ColumnCount(), 2) << contents;
        EXPECT_EQ(cells.RowCount(), 3) << contents;
    }
}

TEST(AttributeCsv, TablesBeyondTheLimitsAreRefusedUntouched)
{
    std::string wide = ",";
    for (int j = 0; j < 201; ++j)
        wide += "a,";
    wide.pop_back();
    std::string tall = ",x\r\n";
    for (int i = 0; i < 1001; ++i)
        tall += "o,1\r\n";
    for (const std::string& contents : {wide, tall}) {
        CellStore cells = Example();
        TextFileReader reader("big.csv", contents);
        EXPECT_THROW(ReadAttributeCsv(reader, cells), Error);
        EXPECT_EQ(cells.ColumnCount(), 4);
        EXPECT_EQ(cells.RowCount(), 4);
        EXPECT_EQ(cells.Cell(3, 3), "4");
    }
    std::string most = ",x\r\n";
    for (int i = 0; i < 1000; ++i)
        most += "o,1\r\n";
    EXPECT_EQ(Read(most).RowCount(), 1002);
}

} // namespace
} // namespace vantrel
