// The run's page after the method and the report: where it goes and under
// what job name, the rows that fall below it, and a job the print system
// refuses.
#include "RunTestSupport.h"

#include "runs/core/AnalysisRun.h"

namespace vantrel::testing {
namespace {

using RunPageTest = MainWindowFixture;

TEST_F(RunPageTest, PageGoesBesideTheReportUnderTheJobsNameAndTheFinalMessageSaysWhere)
{
    Printer::Instance().SetTestCanvas(nullptr);
    const std::string report = Path("report.txt");
    dialogs.AddFileName(report);
    printDialogs.AddPrintToSuggestedFile();

    PressMatrixRun("DistButton", "3\r\nA\r\nB\r\nC\r\n1\r\n4\r\n2.5\r\n");
    Printer::Instance().SetOutputFileName({});

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    ASSERT_EQ(printDialogs.ShownDialogs().size(), 1u);
    EXPECT_EQ(printDialogs.ShownDialogs()[0].JobName, "Vantrel - report.txt");
    EXPECT_EQ(printDialogs.ShownDialogs()[0].OutputFile, report + ".pdf");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report +
                                                   "\nDendrogram (PDF) = " + report + ".pdf"});
    EXPECT_EQ(ReadBytes(report + ".pdf").rfind("%PDF", 0), 0u);
}

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

TEST_F(RunPageTest, AJobThePrintSystemRefusesEndsTheRunInAnErrorNotTheFinalMessage)
{
    Printer::Instance().SetTestRefusal(
        std::pair<std::string, std::string>("Office", "Destination \"Office\" is not accepting jobs."));
    const std::string report = Path("refused.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", "2\r\nA\r\nB\r\n1\r\n");
    Printer::Instance().SetTestRefusal(std::nullopt);

    EXPECT_EQ(Errors(), std::vector<std::string>{"The printer Office refused the print job: Destination "
                                                 "\"Office\" is not accepting jobs."});
    ExpectStoppedByError();
}

} // namespace
} // namespace vantrel::testing
