#include "platform/CellLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

using namespace vantrel;

namespace {

using Step = std::function<void(QLineEdit&)>;

Step Keys(Qt::Key key, int count = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [=](QLineEdit& editor) {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(&editor, key, modifiers);
    };
}

Step Standard(QKeySequence::StandardKey key)
{
    return [key](QLineEdit& editor) { QTest::keySequence(&editor, QKeySequence(key)); };
}

Step Type(const QString& text)
{
    return [text](QLineEdit& editor) { QTest::keyClicks(&editor, text); };
}

// Letters with a character of two UTF-16 units every seventh place, so that
// slice edges fall on pairs too.
QString LongText(int length)
{
    QString text;
    for (int i = 0; text.size() < length; ++i)
        text += i % 7 == 6 ? QStringLiteral("😀") : QString(QChar(u'a' + i % 26));
    return text;
}

class ShortSlices {
public:
    ShortSlices() { CellLineEdit::SetSliceLengthForTesting(64); }
    ~ShortSlices() { CellLineEdit::SetSliceLengthForTesting(saved_); }

private:
    int saved_ = CellLineEdit::SliceLength();
};

} // namespace

// The sliced editor against a plain line edit holding the whole text: the
// same keys must leave the same text, cursor and clipboard, whichever way
// they cross the slice's edges.
TEST(CellLineEdit, EditsALongTextAsAPlainLineEditWould)
{
    const ShortSlices slices; // 64 units, a text of 300 is sliced
    const QString text = LongText(300);
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool slicedAfter;
    } cases[] = {
        {"typing replaces the whole text selected on opening", {Type("ab")}, false},
        {"End, then typing", {Keys(Qt::Key_End), Type("z")}, true},
        {"Left across the slice's edge, then typing",
         {Keys(Qt::Key_End), Keys(Qt::Key_Left, 40), Type("q")},
         true},
        {"Backspace and Delete far into the text",
         {Keys(Qt::Key_Home), Keys(Qt::Key_Right, 130), Keys(Qt::Key_Backspace, 3), Keys(Qt::Key_Delete, 2)},
         true},
        {"Shift+Home wider than a slice, then Delete",
         {Keys(Qt::Key_End), Keys(Qt::Key_Left, 10), Keys(Qt::Key_Home, 1, Qt::ShiftModifier),
          Keys(Qt::Key_Delete)},
         false},
        {"a selection grown past the slice's edge, then typing",
         {Keys(Qt::Key_Home), Keys(Qt::Key_Right, 20), Keys(Qt::Key_Right, 50, Qt::ShiftModifier), Type("x")},
         true},
        {"Ctrl+Right across a word longer than the slice, then typing",
         {Keys(Qt::Key_Home), Keys(Qt::Key_Right, 100), Keys(Qt::Key_Right, 1, Qt::ControlModifier),
          Type("r")},
         true},
        {"Ctrl+Backspace across a word longer than the slice",
         {Keys(Qt::Key_End), Keys(Qt::Key_Left, 20), Keys(Qt::Key_Backspace, 1, Qt::ControlModifier)},
         false},
        {"Ctrl+A, then cut", {Standard(QKeySequence::SelectAll), Standard(QKeySequence::Cut)}, false},
        {"Left after opening, then typing", {Keys(Qt::Key_Left), Type("s")}, true},
        {"Ctrl+Left after opening, then typing",
         {Keys(Qt::Key_Left, 1, Qt::ControlModifier), Type("c")},
         true},
        {"Shift+Left after opening, then Delete",
         {Keys(Qt::Key_Left, 1, Qt::ShiftModifier), Keys(Qt::Key_Delete)},
         false},
        {"a long paste into the middle, then typing",
         {Keys(Qt::Key_Home), Keys(Qt::Key_Right, 5), Standard(QKeySequence::Paste), Type("k")},
         true},
        {"Home, Shift+End, then typing",
         {Keys(Qt::Key_Home), Keys(Qt::Key_End, 1, Qt::ShiftModifier), Type("n")},
         false},
    };
    QClipboard& clipboard = *QApplication::clipboard();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clipboard.setText(LongText(200).toUpper());
        QLineEdit plain;
        plain.setMaxLength(INT_MAX);
        plain.setText(text);
        // The view opens an editor with its whole text selected.
        plain.selectAll();
        for (const Step& step : c.steps)
            step(plain);
        const QString plainClipboard = clipboard.text();

        clipboard.setText(LongText(200).toUpper());
        CellLineEdit cell;
        cell.SetFullText(text);
        EXPECT_TRUE(cell.Sliced());
        cell.selectAll();
        for (const Step& step : c.steps)
            step(cell);
        EXPECT_EQ(cell.FullText(), plain.text());
        EXPECT_EQ(cell.FullCursorPosition(), plain.cursorPosition());
        EXPECT_EQ(clipboard.text(), plainClipboard);
        EXPECT_EQ(cell.Sliced(), c.slicedAfter);
    }
}

TEST(CellLineEdit, SelectsAPlaceDeepInTheTextAndKeepsShortTextsWhole)
{
    const ShortSlices slices;
    CellLineEdit cell;
    QString text = LongText(1000);
    text.insert(600, QStringLiteral("€"));
    cell.SetFullText(text);
    cell.SelectInFullText(600, 1);
    EXPECT_EQ(cell.selectedText(), QStringLiteral("€"));
    EXPECT_LE(cell.QLineEdit::text().size(), 66);
    EXPECT_EQ(cell.FullText(), text);

    // The item view reads and writes the whole text.
    cell.setProperty("text", QStringLiteral("short"));
    EXPECT_FALSE(cell.Sliced());
    EXPECT_EQ(cell.property("text").toString(), QStringLiteral("short"));
    cell.setProperty("text", text);
    EXPECT_EQ(cell.property("text").toString(), text);
}
