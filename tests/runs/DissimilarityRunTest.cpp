// The dissimilarity run from the button to the end of the program, and the
// ways it stops early: no method, no report file, too few objects.
#include "RunTestSupport.h"

#include "input/TFDist.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <QComboBox>
#include <QLineEdit>

#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace vantrel::testing {
namespace {

// Objects A, B, C with d(B, A) = 1, d(C, A) = 4, d(C, B) = 2.5.
const std::string ThreeObjects = "3\r\nA\r\nB\r\nC\r\n1\r\n4\r\n2.5\r\n";

std::string ThreeObjectReport()
{
    return "\r\n" + Sjis("入力データ（距離）...") + "\r\n" +
           "A         \r\n"
           "B         1         \r\n"
           "C         4         2.5       \r\n";
}

using DissimilarityRunTest = MainWindowFixture;

std::vector<std::string> TextsDrawn(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const auto& command : canvas.Texts())
        texts.push_back(command.Text);
    return texts;
}

TEST_F(DissimilarityRunTest, CompletedRunWritesTheReportPrintsThePageAndEndsTheProgram)
{
    const std::string report = Path("report.txt");
    dialogs.AddFileName(report);
    printDialogs.AddCancel(); // the page is printed all the same

    PressMatrixRun("DistButton", ThreeObjects);

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].Title, "Output File");
    EXPECT_EQ(dialogs.Shown()[0].Kind, FileDialog::Kind::Save);
    EXPECT_EQ(dialogs.Shown()[0].FileName, "");
    EXPECT_EQ(ReadBytes(report), ThreeObjectReport());
    EXPECT_EQ(Session().ReportFile, nullptr);

    EXPECT_EQ(printDialogs.ShownCount(), 1);
    ASSERT_FALSE(canvas.Commands().empty());
    EXPECT_EQ(canvas.Commands().front().Kind, RecordingCanvas::Op::BeginDoc);
    EXPECT_EQ(canvas.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
    EXPECT_EQ(canvas.FontSize(), 12);
    const std::vector<std::string> texts = TextsDrawn(canvas);
    // Axis ends, caption, then the labels in the order of the walk: C joins
    // the pair A, B (merged at 1) at 4, and the older cluster C comes first.
    const std::vector<std::string> expected = {"0.0", "4.00", Sjis("最長距離法"), "C", "A", "B"};
    EXPECT_EQ(texts, expected);
    // Two brackets of three strokes each, and the axis of three.
    EXPECT_EQ(canvas.Lines().size(), 9u);

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Calculation ended. Output File = " + report);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(quitRequests, 1);
    // The input window is hidden but still there.
    ASSERT_NE(main.FDist(), nullptr);
    EXPECT_FALSE(main.FDist()->isVisible());
}

TEST_F(DissimilarityRunTest, MethodAndFontSizeOfTheWindowReachThePage)
{
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setCurrentIndex(2);
    main.findChild<QLineEdit*>(QStringLiteral("FontEdit"))->setText(QStringLiteral("9"));
    dialogs.AddFileName(Path("single.txt"));
    // The method may still be changed while the data are typed.
    Press("DistButton", [this](QWidget& input) {
        main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setCurrentIndex(1);
        FillMatrixWindow(input, ThreeObjects);
        ButtonOf(input, "CalcButton").click();
    });

    EXPECT_EQ(canvas.FontSize(), 9);
    EXPECT_EQ(Session().DistType, 1);
    const std::vector<std::string> texts = TextsDrawn(canvas);
    ASSERT_GE(texts.size(), 3u);
    // Group average joins C at (4 + 2.5) / 2.
    EXPECT_EQ(texts[1], "3.25");
    EXPECT_EQ(texts[2], Sjis("群間平均法"));
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(DissimilarityRunTest, InversionsOfTheTreeAreToldInTheFinalMessage)
{
    // Three objects 2 apart: A and B merge at 2, and C joins their centroid
    // at sqrt(3), below them.
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))
        ->setCurrentIndex(static_cast<int>(Linkage::Centroid));
    const std::string report = Path("centroid.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", "3\r\nA\r\nB\r\nC\r\n2\r\n2\r\n2\r\n");

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report +
                                                   "\nMerges below one of their parts (inversions): 1"});
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(DissimilarityRunTest, TypedMethodStopsWithDistTypeErrorBeforeAnyDialog)
{
    auto* combo = main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"));
    combo->setEditText(QStringLiteral("ward"));
    dialogs.AddFileName(Path("never.txt"));

    PressMatrixRun("DistButton", ThreeObjects);

    EXPECT_EQ(Messages(), std::vector<std::string>{"DistType Error"});
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_FALSE(FileExists(Path("never.txt")));
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
    // The input stays in the shared data.
    EXPECT_EQ(Shared().ObjectCount, 3);
}

TEST_F(DissimilarityRunTest, CancelledReportDialogCreatesNothingAndANewRunWorks)
{
    dialogs.AddCancel();
    PressMatrixRun("DistButton", ThreeObjects);

    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Errors().empty());
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
    EXPECT_TRUE(Button("DistButton").isEnabled());
    QPointer<QWidget> first = main.FDist();

    const std::string report = Path("second.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", ThreeObjects);

    EXPECT_EQ(ReadBytes(report), ThreeObjectReport());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report});
    EXPECT_EQ(quitRequests, 1);
    // Each run had its own window; the first one is still allocated.
    EXPECT_NE(main.FDist(), first.data());
    EXPECT_NE(first.data(), nullptr);
}

TEST_F(DissimilarityRunTest, ExistingReportIsReplacedOnlyWhenTheUserSaysSo)
{
    // The user picks the data file itself by mistake, says No, and is back
    // in the "Output File" dialog; then picks an old report and says Yes.
    const std::string data = Path("data.dat");
    const std::string report = Path("old.txt");
    WriteBytes(data, ThreeObjects);
    WriteBytes(report, std::string(500, 'x'));
    dialogs.AddFileName(data);
    messages.AddAnswer(false);
    dialogs.AddFileName(report);
    messages.AddAnswer(true);
    PressMatrixRun("DistButton", ThreeObjects);

    EXPECT_EQ(messages.Texts(MessageKind::Question),
              (std::vector<std::string>{ReplaceFileQuestion(data), ReplaceFileQuestion(report)}));
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[1].Title, "Output File");
    EXPECT_EQ(ReadBytes(data), ThreeObjects);
    EXPECT_EQ(ReadBytes(report), ThreeObjectReport());
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(DissimilarityRunTest, OneObjectFailsAfterTheEchoAndLeavesTheWindowOpen)
{
    const std::string report = Path("one.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", "1\r\nA\r\n");

    EXPECT_EQ(Errors(), std::vector<std::string>{"Range error in SeekC"});
    EXPECT_TRUE(Messages().empty());
    // The echo is on disk and the report is closed, not left open.
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（距離）...") + "\r\nA         \r\n");
    ExpectAbandonedBeforeThePage();

    // A new run after the failure completes.
    messages.Clear();
    const std::string second = Path("two.txt");
    dialogs.AddFileName(second);
    PressMatrixRun("DistButton", ThreeObjects);
    EXPECT_EQ(ReadBytes(second), ThreeObjectReport());
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(DissimilarityRunTest, ReportThatCannotBeCreatedIsAnErrorAndTheWindowStays)
{
    const std::string report = Path("missing-folder/report.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("DistButton", ThreeObjects);

    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("missing-folder/report.txt"), std::string::npos) << Errors()[0];
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(DissimilarityRunTest, ReportThatCannotBeWrittenIsAnErrorNotTheFinalMessage)
{
    std::ofstream(Path("plain")) << "a file, not a folder";
    std::filesystem::create_directory(Path("folder"));
    const struct {
        std::string fileName;
        const char* reason;
        std::optional<std::size_t> fillsAfter;
    } cases[] = {
        {Path("plain/report.txt"), "Not a directory", {}},
        {Path("folder"), "Is a directory", {}},
        // Fails when the run closes the report.
        {"/dev/full", "No space left on device", {}},
        // The disk fills in the middle of the echo.
        {Path("report.txt"), "No space left on device", 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        if (c.fileName == "/dev/full" && access("/dev/full", W_OK) != 0)
            continue;
        messages.Clear();
        dialogs.AddFileName(c.fileName);
        if (FileExists(c.fileName))
            messages.AddAnswer(true); // /dev/full: replacing it is asked first
        TextFileWriter::LimitBytesForTesting(c.fillsAfter);
        PressMatrixRun("DistButton", ThreeObjects);
        TextFileWriter::LimitBytesForTesting(std::nullopt);
        ASSERT_EQ(Errors().size(), 1u);
        EXPECT_NE(Errors()[0].find(c.fileName), std::string::npos) << Errors()[0];
        EXPECT_NE(Errors()[0].find(c.reason), std::string::npos) << Errors()[0];
        ExpectStoppedByError();
    }
}

} // namespace
} // namespace vantrel::testing
