// The wait for the input window: the main window stays usable, no second run
// can start inside the first, and closing the main window ends the wait.
#include "RunTestSupport.h"

#include "platform/core/Cp932.h"
#include "runs/core/AnalysisRun.h"

#include <QFile>

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

TEST_F(RunWaitTest, WindowClosedUnconfirmedRunsOnWhatTheSharedDataHold)
{
    // A first, confirmed input that is then abandoned at the report dialog.
    dialogs.AddCancel();
    PressMatrixRun("DistButton", "2\r\nP\r\nQ\r\n7\r\n");
    ASSERT_EQ(Shared().ObjectCount, 2);

    const std::string report = Path("again.txt");
    dialogs.AddFileName(report);
    Press("DistButton", [](QWidget& input) { input.close(); });
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（距離）...") + "\r\nP         \r\nQ         7         \r\n");
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(RunWaitTest, PageWrittenToAFileIsNamedInTheFinalMessage)
{
    Printer::Instance().SetTestCanvas(nullptr);
    const std::string report = Path("report.txt");
    const std::string pdf = Path("tree.pdf");
    dialogs.AddFileName(report);
    printDialogs.AddPrintToFile(pdf);

    PressMatrixRun("DistButton", "3\r\nA\r\nB\r\nC\r\n1\r\n4\r\n2.5\r\n");
    Printer::Instance().SetOutputFileName({});

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    EXPECT_EQ(Messages(), std::vector<std::string>{FinalMessage(report, pdf)});
    EXPECT_EQ(FinalMessage(report, pdf),
              "Calculation ended. Output File = " + report + "\nDendrogram (PDF) = " + pdf);
    EXPECT_EQ(ReadBytes(pdf).rfind("%PDF", 0), 0u);
}

} // namespace
} // namespace vantrel::testing
