// The attribute run: the report the attribute window began, the appended
// distances, the file name chosen in the attribute window, and a window
// closed before any distances were computed.
#include "RunTestSupport.h"

#include "platform/core/Cp932.h"
#include "runs/core/AnalysisRun.h"

#include <QComboBox>

namespace vantrel::testing {
namespace {

using AttributeRunTest = MainWindowFixture;

// A(0, 0), B(0, 1), C(0, 4): d(B, A) = 1, d(C, A) = 4, d(C, B) = 3.
void TypeThreePoints(QWidget& input)
{
    FillAttributeWindow(input, {"x", "y"}, {{"A", "0", "0"}, {"B", "0", "1"}, {"C", "0", "4"}});
}

const std::string DistanceSection = "\r\n" + Sjis("算出された距離...") + "\r\n" +
                                    "A         \r\n"
                                    "B         1         \r\n"
                                    "C         4         3         \r\n";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(AttributeRunTest, CompletedRunAppendsDistancesAndNamesTheAttributeWindowsFile)
{
    const std::string report = Path("coord.txt");
    dialogs.AddFileName(report); // asked by the distance button, not by the run

    Press("CoordButton", [](QWidget& input) {
        TypeThreePoints(input);
        ButtonOf(input, "EucButton").click();
    });

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    const std::string bytes = ReadBytes(report);
    EXPECT_EQ(bytes.rfind("\r\n" + Sjis("入力データ...") + "\r\n", 0), 0u) << bytes;
    EXPECT_TRUE(EndsWith(bytes, DistanceSection)) << bytes;
    EXPECT_EQ(Session().ReportFile, nullptr);

    std::vector<std::string> texts;
    for (const auto& command : canvas.Texts())
        texts.push_back(command.Text);
    const std::vector<std::string> expected = {"0.0", "4.00", Sjis("最長距離法"), "C", "A", "B"};
    EXPECT_EQ(texts, expected);

    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report});
    EXPECT_EQ(main.OpenDialog1().FileName(), "");
    EXPECT_EQ(quitRequests, 1);
    ASSERT_NE(main.FCoord(), nullptr);
    EXPECT_FALSE(main.FCoord()->isVisible());
}

TEST_F(AttributeRunTest, WindowClosedWithoutDistancesEndsTheRunQuietly)
{
    Press("CoordButton", [](QWidget& input) {
        TypeThreePoints(input);
        input.close();
    });

    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(AttributeRunTest, CancelledReportInTheAttributeWindowCountsAsNoDistances)
{
    dialogs.AddCancel();
    Press("CoordButton", [](QWidget& input) {
        TypeThreePoints(input);
        ButtonOf(input, "EucButton").click(); // cancelled: the window stays open
        EXPECT_TRUE(input.isVisible());
        input.close();
    });
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(AttributeRunTest, MethodErrorClosesTheReportTheAttributeWindowOpened)
{
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setEditText(QStringLiteral("?"));
    const std::string report = Path("rejected.txt");
    dialogs.AddFileName(report);
    Press("CoordButton", [](QWidget& input) {
        TypeThreePoints(input);
        ButtonOf(input, "EucButton").click();
    });

    EXPECT_EQ(Messages(), std::vector<std::string>{"DistType Error"});
    // The attribute echo stays on disk, the file is no longer held open.
    EXPECT_EQ(Session().ReportFile, nullptr);
    EXPECT_EQ(ReadBytes(report).rfind("\r\n" + Sjis("入力データ...") + "\r\n", 0), 0u);
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());

    // A second attribute run with a method then completes on a new file.
    messages.Clear();
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setCurrentIndex(2);
    const std::string second = Path("accepted.txt");
    dialogs.AddFileName(second);
    Press("CoordButton", [](QWidget& input) {
        TypeThreePoints(input);
        ButtonOf(input, "EucButton").click();
    });
    EXPECT_TRUE(EndsWith(ReadBytes(second), DistanceSection));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + second});
    EXPECT_EQ(quitRequests, 1);
}

} // namespace
} // namespace vantrel::testing
