// A run cancelled from its progress dialog is abandoned like a failed one:
// the report keeps what was written, closed and named in the message, no
// page is printed, and the main window stays open for another run.
#include "RunTestSupport.h"

#include "platform/ProgressDialog.h"
#include "platform/core/Cp932.h"

namespace vantrel::testing {
namespace {

using CancelledRunTest = MainWindowFixture;

const std::string ThreeObjects = "3\r\nA\r\nB\r\nC\r\n1\r\n4\r\n2.5\r\n";

TEST_F(CancelledRunTest, CancelDuringTheReportAbandonsTheRunBeforeThePage)
{
    const std::string report = Path("report.txt");
    dialogs.AddFileName(report);
    {
        ProgressScript progress;
        progress.CancelAt(2, "Writing the report");
        PressMatrixRun("DistButton", ThreeObjects);
        ASSERT_FALSE(progress.Parts().empty());
        EXPECT_EQ(progress.Parts().back().Bar, "2 / 3 rows");
    }
    EXPECT_TRUE(Errors().empty()) << Errors().front();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation cancelled. Output File = " + report});
    EXPECT_EQ(ReadBytes(report),
              "\r\n" + Sjis("入力データ（距離）...") + "\r\nA         \r\nB         1         \r\n");
    ExpectAbandonedBeforeThePage();

    // The next run goes through, replacing the first one's report.
    messages.Clear();
    dialogs.AddFileName(report);
    messages.AddAnswer(true);
    PressMatrixRun("DistButton", ThreeObjects);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Calculation ended. Output File = " + report);
    EXPECT_EQ(quitRequests, 1);
}

} // namespace
} // namespace vantrel::testing
