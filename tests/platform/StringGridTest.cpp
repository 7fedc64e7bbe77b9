#include "platform/StringGrid.h"

#include "platform/FrozenCells.h"
#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace vantrel;

TEST(StringGrid, ModelPassesTheModelTester)
{
    StringGrid grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetCell(2, 3, Sjis("値"));
    grid.ChangeStore([](CellStore& store) { store.Resize(2, 2); });
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ColCount(), 2);
}

TEST(StringGrid, CountsCellsAndSizes)
{
    StringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetCell(1, 2, "x");
    EXPECT_EQ(grid.Cell(1, 2), "x");
    EXPECT_EQ(grid.model()->data(grid.model()->index(2, 1)).toString(), "x");
    EXPECT_EQ(grid.ColWidth(1), 64);
    EXPECT_EQ(grid.rowHeight(2), 24);
    grid.SetColWidth(1, 80);
    EXPECT_EQ(grid.ColWidth(1), 80);
    grid.SetFontHeight(16);
    EXPECT_EQ(grid.font().pixelSize(), 16);
    EXPECT_FALSE(grid.tabKeyNavigation());
}

TEST(StringGrid, FixedCellsAreNeverEditableNorSelected)
{
    StringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetEditing(true);
    auto* model = grid.model();
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, 1), "typed"));
    EXPECT_EQ(grid.Cell(1, 0), "");

    grid.SelectCell(0, 2);
    EXPECT_EQ(grid.SelectedCell(), (GridCoord{1, 2}));
}

TEST(StringGrid, TypedTextIsStoredAsShiftJisBytes)
{
    StringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetEditing(true);
    auto* model = grid.model();
    ASSERT_TRUE(model->setData(model->index(1, 1), QStringLiteral("東京 1")));
    EXPECT_EQ(grid.Cell(1, 1), Sjis("東京 1"));
}

TEST(StringGrid, CharacterOutsideShiftJisIsRefusedWithAMessage)
{
    MessageRecorder messages;
    StringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetEditing(true);
    grid.SetCell(1, 1, "old");
    auto* model = grid.model();
    EXPECT_FALSE(model->setData(model->index(1, 1), QStringLiteral("a\U0001F600b")));
    EXPECT_EQ(grid.Cell(1, 1), "old");
    QApplication::processEvents();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].Text.find("Shift-JIS"), std::string::npos);
}

TEST(StringGrid, FinishEditingCommitsTheOpenEditor)
{
    StringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetEditing(true);
    grid.SetRangeSelect(false);
    grid.show();
    grid.SelectCell(1, 2);
    grid.ShowEditor();
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("2.5"));
    grid.FinishEditing();
    EXPECT_EQ(grid.Cell(1, 2), "2.5");
}

TEST(StringGrid, BulkChangeKeepsTheSelectionInsideTheGrid)
{
    StringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(5);
    grid.SelectCell(4, 4);
    grid.ChangeStore([](CellStore& store) { store.Resize(3, 3); });
    EXPECT_EQ(grid.SelectedCell(), (GridCoord{2, 2}));
    grid.ChangeStore([](CellStore& store) { store.Resize(6, 6); });
    EXPECT_EQ(grid.SelectedCell(), (GridCoord{2, 2}));
}

TEST(StringGrid, FixedRowAndColumnStayInViewWhileTheCellsScroll)
{
    StringGrid grid;
    grid.resize(465, 417);
    grid.ChangeStore([](CellStore& store) {
        store.Resize(1001, 1001);
        for (int k = 1; k <= 1000; ++k) {
            store.SetCell(0, k, "row " + std::to_string(k));
            store.SetCell(k, 0, "column " + std::to_string(k));
        }
    });
    grid.SetColWidth(0, 96);
    grid.show();
    const FrozenCells& frozen = grid.Frozen();
    QTableView* column = frozen.ColumnView();
    QTableView* row = frozen.RowView();
    const QRect area = grid.viewport()->geometry();
    EXPECT_EQ(column->geometry(), QRect(area.x(), area.y(), 96, area.height()));
    EXPECT_EQ(row->geometry(), QRect(area.x(), area.y(), area.width(), 24));
    EXPECT_EQ(frozen.CornerView()->geometry(), QRect(area.x(), area.y(), 96, 24));

    // A wheel turn over the headings scrolls the grid, not them away.
    QWheelEvent wheel(QPointF(5, 100), column->viewport()->mapToGlobal(QPointF(5, 100)), {}, QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(column->viewport(), &wheel);
    EXPECT_GT(grid.verticalScrollBar()->value(), 0);
    grid.verticalScrollBar()->setValue(500);
    grid.horizontalScrollBar()->setValue(450);
    // Beside every row in view stands its own heading, above every column
    // its own; the corner stays the corner.
    for (int y : {30, 200, 400}) {
        const QModelIndex heading = column->indexAt(QPoint(5, y));
        EXPECT_EQ(heading.row(), grid.rowAt(y)) << y;
        EXPECT_EQ(heading.column(), 0);
        EXPECT_GE(heading.row(), 500);
    }
    for (int x : {100, 300}) {
        const QModelIndex heading = row->indexAt(QPoint(x, 5));
        EXPECT_EQ(heading.column(), grid.columnAt(x)) << x;
        EXPECT_EQ(heading.row(), 0);
    }
    EXPECT_EQ(frozen.CornerView()->indexAt(QPoint(5, 5)), grid.model()->index(0, 0));

    // A click on a heading selects the first cell in view beside it; the
    // grid does not jump.
    const GridCoord beside{grid.columnAt(130), grid.rowAt(200)}; // wholly right of the headings
    QTest::mouseClick(column->viewport(), Qt::LeftButton, {}, QPoint(5, 200));
    EXPECT_EQ(grid.SelectedCell(), beside);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 500);
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 450);
    // The cell moved to is never left under a heading.
    grid.SelectCell(grid.columnAt(100), grid.rowAt(30));
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Left);
    const GridCoord moved = grid.SelectedCell();
    EXPECT_GE(grid.rowViewportPosition(moved.Row), 24);
    EXPECT_GE(grid.columnViewportPosition(moved.Column), 96);
}
