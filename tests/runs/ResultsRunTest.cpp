// The final message's second button: the results of the run instead of the
// end of the program, which then comes with the results window's close.
#include "RunTestSupport.h"

#include "results/ResultsWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTimer>

namespace vantrel::testing {
namespace {

using ResultsRunTest = MainWindowFixture;

TEST_F(ResultsRunTest, ShowResultsOpensTheRunsTreeAndItsCloseEndsTheProgram)
{
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setCurrentIndex(1);
    const std::string report = Path("report.txt");
    dialogs.AddFileName(report);
    messages.AddChoice(true);

    PressMatrixRun("DistButton", "3\r\nA\r\nB\r\nC\r\n1\r\n4\r\n2.5\r\n");

    // The message and everything before it are the run's as ever.
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report});
    EXPECT_EQ(printDialogs.ShownCount(), 1);
    EXPECT_EQ(Session().ReportFile, nullptr);
    ResultsWindow* results = main.Results();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
    EXPECT_EQ(results->windowTitle(), QStringLiteral("結果 - report.txt"));
    EXPECT_EQ(results->findChild<QComboBox*>(QStringLiteral("MethodBox"))->currentText(),
              QStringLiteral("群間平均法"));
    // The run's own tree: A and B at 1, C at the average of 4 and 2.5.
    const ClusterTree& tree = results->Session().Tree();
    ASSERT_EQ(tree.Size(), 5u);
    EXPECT_EQ(tree.Root().Height, 3.25L);

    // A window without a parent, such as the error box, closing while only
    // the results show leaves the program running.
    QTimer::singleShot(0, [] {
        auto* box = new QWidget;
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        box->close();
        QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    EXPECT_TRUE(results->isVisible());

    results->close();
    EXPECT_EQ(quitRequests, 1);
}

} // namespace
} // namespace vantrel::testing
