#include "input/core/AttributeTable.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// A table of `objects` rows labelled "L1".. with values "v<object>.<attr>"
// and attribute names "A1"...
CellStore Table(int objects, int attributes)
{
    CellStore cells;
    AttributeTable::Initialize(cells);
    cells.Resize(attributes + 2, objects + 2);
    AttributeTable::NumberHeaders(cells);
    for (int j = 1; j <= attributes; ++j)
        cells.SetCell(j + 1, 1, "A" + std::to_string(j));
    for (int i = 1; i <= objects; ++i) {
        cells.SetCell(1, i + 1, "L" + std::to_string(i));
        for (int j = 1; j <= attributes; ++j)
            cells.SetCell(j + 1, i + 1, "v" + std::to_string(i) + "." + std::to_string(j));
    }
    return cells;
}

TEST(AttributeTable, NewTableHasOneAttributeTwoObjectsAndEmptyCells)
{
    CellStore cells(7, 9);
    cells.SetCell(3, 3, "old");
    AttributeTable::Initialize(cells);
    ASSERT_EQ(cells.ColumnCount(), 3);
    ASSERT_EQ(cells.RowCount(), 4);
    EXPECT_EQ(cells.Cell(0, 0), "");
    EXPECT_EQ(cells.Cell(0, 1), Sjis(" 属性ラベル"));
    EXPECT_EQ(cells.Cell(0, 2), Sjis(" 対象 1"));
    EXPECT_EQ(cells.Cell(0, 3), Sjis(" 対象 2"));
    EXPECT_EQ(cells.Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(cells.Cell(2, 0), Sjis(" 属性 1"));
    for (int row = 1; row < 4; ++row)
        for (int column = 1; column < 3; ++column)
            EXPECT_EQ(cells.Cell(column, row), "") << column << "," << row;
}

TEST(AttributeTable, HeadersNumberPositionsWithPaddedIndex)
{
    EXPECT_EQ(AttributeTable::ObjectHeader(9), Sjis(" 対象 9"));
    EXPECT_EQ(AttributeTable::ObjectHeader(10), Sjis(" 対象10"));
    EXPECT_EQ(AttributeTable::AttributeHeader(1), Sjis(" 属性 1"));
    EXPECT_EQ(AttributeTable::AttributeHeader(123), Sjis(" 属性123"));
}

TEST(AttributeTable, InsertRowBelowLastAppendsBlankRow)
{
    CellStore cells = Table(3, 2);
    AttributeTable::InsertObjectRow(cells, 4);
    ASSERT_EQ(cells.RowCount(), 6);
    EXPECT_EQ(cells.Cell(0, 5), Sjis(" 対象 4"));
    EXPECT_EQ(cells.Cell(1, 5), " ");
    EXPECT_EQ(cells.Cell(3, 5), " ");
    EXPECT_EQ(cells.Cell(1, 4), "L3");
}

TEST(AttributeTable, InsertRowInsideShiftsRowsDownKeepingHeadersByPosition)
{
    CellStore cells = Table(3, 2);
    AttributeTable::InsertObjectRow(cells, 2); // below object 1
    ASSERT_EQ(cells.RowCount(), 6);
    EXPECT_EQ(cells.Cell(1, 2), "L1");
    EXPECT_EQ(cells.Cell(1, 3), " ");
    EXPECT_EQ(cells.Cell(2, 3), " ");
    EXPECT_EQ(cells.Cell(3, 3), " ");
    EXPECT_EQ(cells.Cell(1, 4), "L2");
    EXPECT_EQ(cells.Cell(3, 5), "v3.2");
    for (int row = 2; row < 6; ++row)
        EXPECT_EQ(cells.Cell(0, row), AttributeTable::ObjectHeader(row - 1));
    EXPECT_EQ(cells.Cell(2, 1), "A1") << "attribute names stay in row 1";
}

TEST(AttributeTable, InsertRowWithNameRowSelectedMakesNewObjectOne)
{
    CellStore cells = Table(2, 1);
    AttributeTable::InsertObjectRow(cells, 1);
    EXPECT_EQ(cells.Cell(1, 2), " ");
    EXPECT_EQ(cells.Cell(1, 3), "L1");
    EXPECT_EQ(cells.Cell(1, 4), "L2");
    EXPECT_EQ(cells.Cell(2, 1), "A1");
}

TEST(AttributeTable, DeleteRowRemovesSelectedAndRenumbers)
{
    CellStore cells = Table(12, 1);
    AttributeTable::DeleteObjectRow(cells, 4); // object 3
    ASSERT_EQ(cells.RowCount(), 13);
    EXPECT_EQ(cells.Cell(1, 3), "L2");
    EXPECT_EQ(cells.Cell(1, 4), "L4");
    EXPECT_EQ(cells.Cell(2, 12), "v12.1");
    for (int row = 2; row < 13; ++row)
        EXPECT_EQ(cells.Cell(0, row), AttributeTable::ObjectHeader(row - 1));
    EXPECT_EQ(cells.Cell(0, 2), Sjis(" 対象 1"));
}

TEST(AttributeTable, DeleteRowIgnoresHeaderAndNameRows)
{
    CellStore cells = Table(2, 1);
    const CellStore before = cells;
    AttributeTable::DeleteObjectRow(cells, 0);
    AttributeTable::DeleteObjectRow(cells, 1);
    ASSERT_EQ(cells.RowCount(), before.RowCount());
    for (int row = 0; row < cells.RowCount(); ++row)
        for (int column = 0; column < cells.ColumnCount(); ++column)
            EXPECT_EQ(cells.Cell(column, row), before.Cell(column, row));
}

TEST(AttributeTable, DeletingOnlyObjectLeavesNoneAndInsertBringsObjectOneBack)
{
    CellStore cells = Table(1, 2);
    AttributeTable::DeleteObjectRow(cells, 2);
    EXPECT_EQ(cells.RowCount(), 2);
    EXPECT_EQ(AttributeTable::ObjectCount(cells), 0);
    AttributeTable::InsertObjectRow(cells, 1);
    ASSERT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(cells.Cell(0, 2), Sjis(" 対象 1"));
    EXPECT_EQ(cells.Cell(1, 2), " ");
    EXPECT_EQ(cells.Cell(2, 1), "A1");
}

TEST(AttributeTable, InsertColumnAtLabelColumnMakesAttributeOne)
{
    CellStore cells = Table(2, 3);
    AttributeTable::InsertAttributeColumn(cells, 1);
    ASSERT_EQ(cells.ColumnCount(), 6);
    EXPECT_EQ(cells.Cell(2, 1), " ");
    EXPECT_EQ(cells.Cell(2, 2), " ");
    EXPECT_EQ(cells.Cell(3, 1), "A1");
    EXPECT_EQ(cells.Cell(5, 3), "v2.3");
    EXPECT_EQ(cells.Cell(1, 2), "L1") << "labels stay";
    EXPECT_EQ(cells.Cell(5, 0), Sjis(" 属性 4"));
    for (int column = 2; column < 6; ++column)
        EXPECT_EQ(cells.Cell(column, 0), AttributeTable::AttributeHeader(column - 1));
}

TEST(AttributeTable, InsertColumnAfterLastAppends)
{
    CellStore cells = Table(2, 1);
    AttributeTable::InsertAttributeColumn(cells, 2);
    ASSERT_EQ(cells.ColumnCount(), 4);
    EXPECT_EQ(cells.Cell(2, 2), "v1.1");
    EXPECT_EQ(cells.Cell(3, 1), " ");
    EXPECT_EQ(cells.Cell(3, 3), " ");
}

TEST(AttributeTable, DeleteColumnRemovesSelectedAndRenumbersDownToNone)
{
    CellStore cells = Table(2, 3);
    AttributeTable::DeleteAttributeColumn(cells, 3); // attribute 2
    ASSERT_EQ(cells.ColumnCount(), 4);
    EXPECT_EQ(cells.Cell(2, 1), "A1");
    EXPECT_EQ(cells.Cell(3, 1), "A3");
    EXPECT_EQ(cells.Cell(3, 3), "v2.3");
    EXPECT_EQ(cells.Cell(3, 0), Sjis(" 属性 2"));

    AttributeTable::DeleteAttributeColumn(cells, 1); // label column: nothing
    EXPECT_EQ(cells.ColumnCount(), 4);
    AttributeTable::DeleteAttributeColumn(cells, 2);
    AttributeTable::DeleteAttributeColumn(cells, 2);
    EXPECT_EQ(cells.ColumnCount(), 2);
    EXPECT_EQ(cells.Cell(1, 2), "L1");
    AttributeTable::DeleteAttributeColumn(cells, 2); // nothing left to delete
    EXPECT_EQ(cells.ColumnCount(), 2);
}

TEST(AttributeTable, InsertionsStopAtTheLimits)
{
    CellStore cells = Table(1000, 1);
    EXPECT_THROW(AttributeTable::InsertObjectRow(cells, 2), Error);
    EXPECT_EQ(cells.RowCount(), 1002);
    AttributeTable::DeleteObjectRow(cells, 2);
    EXPECT_NO_THROW(AttributeTable::InsertObjectRow(cells, 2));

    CellStore wide = Table(1, 200);
    EXPECT_THROW(AttributeTable::InsertAttributeColumn(wide, 1), Error);
    EXPECT_EQ(wide.ColumnCount(), 202);
    EXPECT_EQ(wide.Cell(2, 1), "A1");
}

} // namespace
} // namespace vantrel
