// The main window as the user first sees it: components, texts, places, tab
// order, the method list, and the exit button.
#include "RunTestSupport.h"

#include "runs/core/AnalysisRun.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace vantrel::testing {
namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, ComponentsCarryTheirTextsAndPlaces)
{
    EXPECT_EQ(main.objectName(), "FMain");
    EXPECT_EQ(main.windowTitle(), "Cluster Analysis");
    EXPECT_EQ(main.font().family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(main.font().pointSize(), 12);

    struct Expected {
        const char* Name;
        QString Text;
        QRect Place;
    };
    const Expected expected[] = {
        {"Label2", QStringLiteral("フォントサイズ"), {56, 24, 94, 16}},
        {"FontEdit", QStringLiteral("12"), {56, 40, 121, 24}},
        {"DistButton", QStringLiteral("距　離"), {336, 32, 75, 25}},
        {"SimButton", QStringLiteral("類似度"), {336, 80, 75, 25}},
        {"CoordButton", QStringLiteral("属性値"), {336, 136, 75, 25}},
        {"Label1", QStringLiteral("クラスター間の距離"), {64, 144, 131, 16}},
        {"ComboBoxDist", QStringLiteral("最長距離法"), {64, 168, 145, 24}},
        {"ExitButton", QStringLiteral("Exit"), {336, 232, 75, 25}},
    };
    for (const Expected& item : expected) {
        auto* widget = main.findChild<QWidget*>(QString::fromLatin1(item.Name));
        ASSERT_NE(widget, nullptr) << item.Name;
        EXPECT_EQ(widget->geometry(), item.Place) << item.Name;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            text = edit->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            text = combo->currentText();
        EXPECT_EQ(text, item.Text) << item.Name;
    }
}

TEST_F(MainWindowTest, TabOrderRunsFromTheDistanceButtonToTheFontSize)
{
    const char* order[] = {"DistButton", "ExitButton",  "ComboBoxDist",
                           "SimButton",  "CoordButton", "FontEdit"};
    QWidget* widget = main.findChild<QWidget*>(QString::fromLatin1(order[0]));
    // The window opens with the focus where the order begins.
    EXPECT_EQ(main.focusWidget(), widget);
    for (std::size_t k = 1; k < std::size(order); ++k) {
        QWidget* next = widget->nextInFocusChain();
        // Labels take no focus; an editable list's own line edit sits in
        // the chain behind it.
        while (next && (next->objectName().isEmpty() || !(next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->objectName().toStdString(), order[k]);
        widget = next;
    }
}

TEST_F(MainWindowTest, MethodListOffersSevenMethodsInDistTypeOrderAndTypedTextSelectsNone)
{
    auto* combo = main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"));
    // In DistType order: complete, average, single, ward, centroid, median,
    // weighted.
    const QString names[] = {QStringLiteral("最長距離法"),    QStringLiteral("群間平均法"),
                             QStringLiteral("最短距離法"),    QStringLiteral("ウォード法"),
                             QStringLiteral("重心法"),        QStringLiteral("メディアン法"),
                             QStringLiteral("重み付き平均法")};
    ASSERT_EQ(combo->count(), static_cast<int>(std::size(names)));
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(main.MethodItemIndex(), 0);
    for (int index = 0; index < combo->count(); ++index) {
        EXPECT_EQ(combo->itemText(index), names[index]);
        combo->setCurrentIndex(index);
        EXPECT_EQ(main.MethodItemIndex(), index);
        EXPECT_EQ(LinkageFromItemIndex(index), static_cast<Linkage>(index));
    }
    EXPECT_EQ(LinkageFromItemIndex(-1), std::nullopt);
    EXPECT_EQ(LinkageFromItemIndex(LinkageCount), std::nullopt);

    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("ward"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("ward"));
    EXPECT_EQ(main.MethodItemIndex(), -1);

    // Enter must not turn the typed text into an eighth method.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo->count(), LinkageCount);
    EXPECT_EQ(main.MethodItemIndex(), -1);

    combo->setEditText(QStringLiteral("群間平均法"));
    EXPECT_EQ(main.MethodItemIndex(), 1);

    // A typed prefix of a method stays the prefix: nothing completes it
    // (completion acts only in the focused box, as when the user types).
    main.activateWindow();
    combo->setFocus();
    QApplication::processEvents();
    combo->lineEdit()->selectAll();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("群"));
    QApplication::sendEvent(combo->lineEdit(), &typed);
    EXPECT_EQ(combo->currentText(), QStringLiteral("群"));
    EXPECT_EQ(main.MethodItemIndex(), -1);
}

TEST_F(MainWindowTest, MethodBoxShowsEveryNameWhole)
{
    auto* combo = main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"));
    // A line edit keeps 2 pixels blank at either end of its text.
    constexpr int LineEditMargin = 2;
    QApplication::processEvents();
    const QLineEdit& edit = *combo->lineEdit();
    for (int index = 0; index < combo->count(); ++index)
        EXPECT_LE(edit.fontMetrics().horizontalAdvance(combo->itemText(index)) + 2 * LineEditMargin,
                  edit.contentsRect().width())
            << combo->itemText(index).toStdString();
}

TEST_F(MainWindowTest, ExitButtonEndsTheProgramAtOnce)
{
    Button("ExitButton").click();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(quitRequests, 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(dialogs.Shown().empty());
}

} // namespace
} // namespace vantrel::testing
