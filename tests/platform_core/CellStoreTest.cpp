#include "platform/core/CellStore.h"

#include "platform/core/LargeBlockAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrel {
namespace {

// Fills every cell with its own address, "c,r".
CellStore Numbered(int columns, int rows)
{
    CellStore cells(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cells.SetCell(c, r, std::to_string(c) + "," + std::to_string(r));
    return cells;
}

void ExpectNumbered(const CellStore& cells, int keptColumns, int keptRows)
{
    for (int r = 0; r < cells.RowCount(); ++r)
        for (int c = 0; c < cells.ColumnCount(); ++c) {
            const bool kept = c < keptColumns && r < keptRows;
            EXPECT_EQ(cells.Cell(c, r), kept ? std::to_string(c) + "," + std::to_string(r) : "")
                << c << "," << r;
        }
}

TEST(CellStoreTest, CountsNeverDropBelowOne)
{
    CellStore cells(0, -5);
    EXPECT_EQ(cells.ColumnCount(), 1);
    EXPECT_EQ(cells.RowCount(), 1);
    cells.SetRowCount(-100);
    cells.SetColumnCount(0);
    EXPECT_EQ(cells.RowCount(), 1);
    EXPECT_EQ(cells.ColumnCount(), 1);
    EXPECT_TRUE(cells.Contains(0, 0));
    EXPECT_FALSE(cells.Contains(1, 0));
    EXPECT_FALSE(cells.Contains(0, -1));
}

TEST(CellStoreTest, GrowingKeepsCellsAndAddsEmptyOnes)
{
    CellStore rows = Numbered(3, 3);
    rows.SetRowCount(5);
    ExpectNumbered(rows, 3, 3);

    CellStore columns = Numbered(3, 3);
    columns.SetColumnCount(6);
    ExpectNumbered(columns, 3, 3);

    CellStore both = Numbered(3, 2);
    both.Resize(4, 7);
    ExpectNumbered(both, 3, 2);
}

TEST(CellStoreTest, ShrinkingKeepsTheCellsInsideBothSizes)
{
    CellStore rows = Numbered(4, 4);
    rows.SetRowCount(2);
    ExpectNumbered(rows, 4, 2);

    CellStore columns = Numbered(4, 4);
    columns.SetColumnCount(2);
    ExpectNumbered(columns, 2, 4);

    CellStore mixed = Numbered(5, 2);
    mixed.Resize(2, 5);
    ExpectNumbered(mixed, 2, 2);
}

TEST(CellStoreTest, ShrinkThenGrowBringsBackEmptyCells)
{
    CellStore cells = Numbered(3, 3);
    cells.SetRowCount(1);
    cells.SetColumnCount(1);
    cells.Resize(3, 3);
    ExpectNumbered(cells, 1, 1);
}

TEST(CellStoreTest, GridsOfAThousandObjectsKeepTheirCellsThroughResizes)
{
    // 1001 x 1001 cells live in a separately mapped block; shrinking back
    // returns to the ordinary heap. Cells must survive both moves.
    CellStore cells = Numbered(3, 3);
    cells.Resize(1001, 1001);
    ExpectNumbered(cells, 3, 3);
    cells.SetCell(1000, 1000, std::string(100, 'x'));
    CellStore copy = cells;
    cells.SetRowCount(1002);
    EXPECT_EQ(cells.Cell(1000, 1000), std::string(100, 'x'));
    EXPECT_EQ(copy.Cell(1000, 1000), std::string(100, 'x'));
    cells.Resize(3, 3);
    ExpectNumbered(cells, 3, 3);
}

TEST(LargeBlockAllocatorTest, BlocksOfEverySizeAreWritableToTheirEnd)
{
    for (std::size_t bytes : {std::size_t{1}, std::size_t{4096}, (std::size_t{4} << 20) - 1,
                              std::size_t{4} << 20, (std::size_t{4} << 20) + 1, std::size_t{33} << 20}) {
        auto* block = static_cast<unsigned char*>(AllocateLargeBlock(bytes));
        ASSERT_NE(block, nullptr);
        std::fill(block, block + bytes, static_cast<unsigned char>(7));
        EXPECT_EQ(block[bytes - 1], 7);
        ReleaseLargeBlock(block, bytes);
    }
}

} // namespace
} // namespace vantrel
