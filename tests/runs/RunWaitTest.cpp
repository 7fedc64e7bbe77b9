// The wait for the input window: the main window stays usable, no second run
// can start inside the first, closing the main window ends the wait, and an
// input window closed without confirming abandons its run.
#include "RunTestSupport.h"

#include <QWindow>

namespace vantrel::testing {
namespace {

using RunWaitTest = MainWindowFixture;

TEST_F(RunWaitTest, RunButtonsAreDisabledOnlyWhileWaiting)
{
    bool sawWaiting = false;
    dialogs.AddCancel();
    Press("SimButton", [&](QWidget& input) {
        sawWaiting = main.Waiting();
        EXPECT_FALSE(Button("DistButton").isEnabled());
        EXPECT_FALSE(Button("SimButton").isEnabled());
        EXPECT_FALSE(Button("CoordButton").isEnabled());
        EXPECT_TRUE(Button("ExitButton").isEnabled());
        // A click on a disabled button starts nothing.
        Button("DistButton").click();
        EXPECT_EQ(main.FDist(), nullptr);
        input.close();
    });
    EXPECT_TRUE(sawWaiting);
    EXPECT_FALSE(main.Waiting());
    for (const char* name : {"DistButton", "SimButton", "CoordButton"})
        EXPECT_TRUE(Button(name).isEnabled()) << name;
}

// The three runs: their button and the slot a program may call directly.
struct RunSlot {
    const char* button;
    void (TFMain::*slot)();
};
const RunSlot runSlots[] = {{"DistButton", &TFMain::DistButtonClick},
                            {"SimButton", &TFMain::SimButtonClick},
                            {"CoordButton", &TFMain::CoordButtonClick}};

TEST_F(RunWaitTest, RunSlotCalledDuringTheWaitStartsNoSecondRun)
{
    for (const RunSlot& waiting : runSlots) {
        for (const RunSlot& called : runSlots) {
            SCOPED_TRACE(std::string(waiting.button) + " waits, " + called.button + " called");
            Press(waiting.button, [&](QWidget& input) {
                QWidget* const before[] = {main.FDist(), main.FSim(), main.FCoord()};
                // Should a second run start anyway, its window is closed so
                // that the test fails instead of waiting for ever.
                QTimer guard;
                guard.setSingleShot(true);
                QObject::connect(&guard, &QTimer::timeout, [&] {
                    for (QWidget* window :
                         {static_cast<QWidget*>(main.FDist()), static_cast<QWidget*>(main.FSim()),
                          static_cast<QWidget*>(main.FCoord())})
                        if (window && window != &input && window->isVisible())
                            window->close();
                });
                guard.start(0);
                (main.*called.slot)();
                EXPECT_TRUE(main.Waiting());
                EXPECT_FALSE(Button(called.button).isEnabled());
                const QWidget* const after[] = {main.FDist(), main.FSim(), main.FCoord()};
                EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after)));
                EXPECT_TRUE(input.isVisible());
                input.close();
            });
            EXPECT_FALSE(main.Waiting());
            EXPECT_TRUE(Button(called.button).isEnabled());
            EXPECT_TRUE(main.isVisible());
            EXPECT_EQ(quitRequests, 0);
        }
    }
    // Every window closed unconfirmed: no run, first or second, went on.
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(RunWaitTest, CloseBoxOfTheInputWindowAbandonsEachRunQuietly)
{
    for (const RunSlot& run : runSlots) {
        SCOPED_TRACE(run.button);
        QPointer<QWidget> input;
        Press(run.button, [&](QWidget& window) {
            input = &window;
            window.windowHandle()->close(); // as the window system's close box does
        });
        ASSERT_NE(input.data(), nullptr);
        EXPECT_FALSE(input->isVisible());
        EXPECT_FALSE(main.Waiting());
        EXPECT_TRUE(main.isVisible());
        EXPECT_TRUE(Button(run.button).isEnabled());
    }
    // No report dialog, no message, no page: the runs simply ended.
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(RunWaitTest, CloseBoxOfTheMainWindowDuringEachWaitEndsTheRunQuietly)
{
    for (const RunSlot& run : runSlots) {
        SCOPED_TRACE(run.button);
        quitRequests = 0;
        main.show();
        QPointer<QWidget> input;
        Press(run.button, [&](QWidget& window) {
            input = &window;
            main.windowHandle()->close();
        });
        EXPECT_EQ(quitRequests, 1);
        EXPECT_FALSE(main.isVisible());
        EXPECT_FALSE(main.Waiting());
        ASSERT_NE(input.data(), nullptr);
        EXPECT_FALSE(input->isVisible());
    }
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Errors().empty());
}

TEST_F(RunWaitTest, ClosingTheMainWindowDuringTheWaitEndsTheRunQuietly)
{
    dialogs.AddFileName(Path("never.txt"));
    QPointer<QWidget> input;
    Press("DistButton", [&](QWidget& window) {
        input = &window;
        Button("ExitButton").click();
    });

    EXPECT_EQ(quitRequests, 1);
    EXPECT_FALSE(main.isVisible());
    ASSERT_NE(input.data(), nullptr);
    EXPECT_FALSE(input->isVisible());
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Errors().empty());
    EXPECT_FALSE(FileExists(Path("never.txt")));
}

TEST_F(RunWaitTest, WindowClosedUnconfirmedNeverRunsOnAnEarlierRunsData)
{
    // A first, confirmed input that is then abandoned at the report dialog.
    dialogs.AddCancel();
    PressMatrixRun("DistButton", "2\r\nP\r\nQ\r\n7\r\n");
    ASSERT_EQ(Shared().ObjectCount, 2);

    // The next run's window fails at OK, then is closed: nothing the user
    // confirmed in this run, so no report and no page.
    const std::string report = Path("again.txt");
    dialogs.AddFileName(report);
    Press("DistButton", [](QWidget& input) {
        FillMatrixWindow(input, "2\r\nP\r\nQ\r\nseven\r\n");
        ButtonOf(input, "CalcButton").click();
        input.close();
    });
    EXPECT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_FALSE(FileExists(report));
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
}

} // namespace
} // namespace vantrel::testing
