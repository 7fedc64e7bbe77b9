// Typing into the input windows' grids: every key typed after a click
// reaches its cell, a refused character leaves the user in the editor, and a
// cell of a megabyte stays editable whole.
#include "input/TFCoord.h"
#include "input/TFDist.h"

#include "platform/CellLineEdit.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"
#include "support/ScratchFiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// Sends a key press and release to whatever has the focus, stamped `time`
// (milliseconds on the clock of the mouse events QTest sends): the events
// carry their moment, nothing waits for it.
void KeyAt(Qt::Key key, const QString& text, ulong time)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent event(type, key, Qt::NoModifier, text);
        event.setTimestamp(time);
        QApplication::sendEvent(target, &event);
        QApplication::processEvents();
    }
}

void TypeAt(const QString& text, ulong time)
{
    for (const QChar c : text)
        KeyAt(c == u'.' ? Qt::Key_Period : Qt::Key(c.toUpper().unicode()), QString(c), time);
}

QPoint CellCentre(const StringGrid& grid, int column, int row)
{
    return grid.visualRect(grid.model()->index(row, column)).center();
}

CellLineEdit* OpenEditor(const StringGrid& grid)
{
    const QModelIndex current = grid.currentIndex();
    return current.isValid() ? qobject_cast<CellLineEdit*>(grid.indexWidget(current)) : nullptr;
}

// A shown, active matrix window whose grids have no editor open.
struct ActiveWindow {
    TFDist form;
    StringGrid* Matrix = form.findChild<StringGrid*>("StringGrid1");
    StringGrid* Labels = form.findChild<StringGrid*>("StringGrid2");

    ActiveWindow()
    {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        Matrix->FinishEditing();
        Labels->FinishEditing();
    }
};

} // namespace

TEST(Typing, EveryKeyTypedAfterAClickReachesTheCell)
{
    // How the user comes to type into the value cell [1, 2], which holds "7"
    // and is current.
    enum class Way { ClickCurrent, DoubleClick, F2 };
    const struct {
        const char* name;
        Way way;
        int delayMs; // after the click, before the first key
        QString typed;
        std::string expected;
    } cases[] = {
        {"click on the current cell, keys at once", Way::ClickCurrent, 0, "1.5", "1.5"},
        {"click on the current cell, keys after 50 ms", Way::ClickCurrent, 50, "1.5", "1.5"},
        {"click on the current cell, keys after 150 ms", Way::ClickCurrent, 150, "12", "12"},
        {"click on the current cell, keys after 250 ms", Way::ClickCurrent, 250, "12", "12"},
        {"double-click", Way::DoubleClick, 0, "1.5", "1.5"},
        {"F2, then End", Way::F2, 0, "5", "75"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ActiveWindow window;
        StringGrid& grid = *window.Matrix;
        grid.SetCell(1, 2, "7");
        grid.SelectCell(1, 2);
        grid.setFocus();
        const QPoint cell = CellCentre(grid, 1, 2);
        switch (c.way) {
        case Way::ClickCurrent:
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
            break;
        case Way::DoubleClick:
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
            break;
        case Way::F2:
            KeyAt(Qt::Key_F2, {}, QTest::lastMouseTimestamp);
            KeyAt(Qt::Key_End, {}, QTest::lastMouseTimestamp);
            break;
        }
        QApplication::processEvents();
        TypeAt(c.typed, QTest::lastMouseTimestamp + c.delayMs);
        KeyAt(Qt::Key_Return, {}, QTest::lastMouseTimestamp + c.delayMs + 10);
        EXPECT_EQ(grid.Cell(1, 2), c.expected);
        EXPECT_EQ(grid.SelectedCell(), (GridCoord{1, 2}));
    }
}

TEST(Typing, AMegabyteCellIsShownInPartAndEditedWhole)
{
    MessageRecorder messages;
    FileDialogScript dialogs;
    ScratchDir dir;
    const std::string big(1 << 20, 'x');
    ActiveWindow window;
    StringGrid& labels = *window.Labels;
    labels.SetCell(1, 1, big);
    // The cell shows what fits any screen; its editor holds a slice.
    EXPECT_LE(labels.model()->data(labels.model()->index(1, 1)).toString().size(), 1024);
    labels.SelectCell(1, 1);
    labels.setFocus();
    QTest::mouseClick(labels.viewport(), Qt::LeftButton, {}, CellCentre(labels, 1, 1));
    CellLineEdit* editor = OpenEditor(labels);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Sliced());
    EXPECT_LE(editor->QLineEdit::text().size(), CellLineEdit::SliceLength() + 1);

    // Typed at both ends and stored with Enter, the text comes back whole
    // from a save.
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClicks(editor, "<");
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, ">");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(labels.Cell(1, 1), "<" + big + ">");
    dialogs.AddFileName(dir.File("big.dat"));
    window.form.findChild<QPushButton*>("SaveButton")->click();
    EXPECT_EQ(ReadBytes(dir.File("big.dat")), "2\r\n<" + big + ">\r\n\r\n\r\n");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(Typing, AfterTheMessageOnARefusedCharacterTheEditorHasTheFocus)
{
    MessageRecorder messages;
    ActiveWindow window;
    StringGrid& labels = *window.Labels;
    labels.SelectCell(1, 1);
    labels.setFocus();
    QTest::mouseClick(labels.viewport(), Qt::LeftButton, {}, CellCentre(labels, 1, 1));
    CellLineEdit* editor = OpenEditor(labels);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("a€b"));
    // A button's click takes the focus, then refuses the character.
    QTest::mouseClick(window.form.findChild<QPushButton*>("AddButton"), Qt::LeftButton);
    ASSERT_EQ(messages.Messages().size(), 1u);
    // The message box is a window of its own: the input window loses the
    // focus while it is shown and gets it back when it closes.
    {
        QWidget box;
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        QApplication::processEvents();
    }
    window.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.form));
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("€"));
    // Typing goes on where the user was.
    QTest::keyClicks(QApplication::focusWidget(), "E");
    EXPECT_EQ(editor->text(), QStringLiteral("aEb"));
}
