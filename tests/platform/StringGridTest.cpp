#include "platform/StringGrid.h"

#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
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
