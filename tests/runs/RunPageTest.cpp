// The run's page after the method and the report: the rows that fall below
// it.
#include "RunTestSupport.h"

#include "runs/core/AnalysisRun.h"

namespace vantrel::testing {
namespace {

using RunPageTest = MainWindowFixture;

TEST_F(RunPageTest, RowsBelowThePageAreToldInTheFinalMessage)
{
    // 30 rows of the recording canvas's 40-unit text on its 1200-unit page:
    // 20 fit, and its text keeps its height at every size.
    std::string file = "30\r\n";
    for (int i = 1; i <= 30; ++i)
        file += "L" + std::to_string(i) + "\r\n";
    for (int i = 2; i <= 30; ++i)
        for (int j = 1; j < i; ++j)
            file += std::to_string(i + j) + "\r\n";
    const std::string report = Path("thirty.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", file);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Calculation ended. Output File = " + report +
                                       "\nRows below the page: 10 of 30 (no font size fits them all)"});
    EXPECT_EQ(
        FinalMessage("r", "", {30, 10, 7}),
        "Calculation ended. Output File = r\nRows below the page: 10 of 30 (largest font size that fits them "
        "all: 7)");
}

} // namespace
} // namespace vantrel::testing
