// The results window's saves against vantrel-batch's files for the same
// data, the question before replacing a file, a cancelled save, and the
// print of the whole tree over several pages.
#include "ResultsTestSupport.h"

#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"

#include <QAction>
#include <QPushButton>
#include <QSpinBox>

namespace vantrel::testing {
namespace {

// Labels that need quoting and code page 932: a,b | c d | "q" | りんご | e.
std::string QuotedLabels()
{
    return "5\r\na,b\r\nc d\r\n\"q\"\r\n" + Sjis("りんご") +
           "\r\ne\r\n1\r\n3\r\n2\r\n7\r\n6\r\n4\r\n8.5\r\n7.5\r\n5.5\r\n1.5\r\n";
}

using ResultsSavesTest = ResultsFixture;

void Trigger(ResultsWindow& window, const char* action)
{
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

TEST_F(ResultsSavesTest, EachFileIsTheOneVantrelBatchWritesForTheSameData)
{
    Open(QuotedLabels(), Linkage::Average);
    Find<QSpinBox>("ClusterCount").setValue(3);
    const struct {
        const char* Action;
        std::size_t Filter;
        const char* Proposed;
        std::vector<std::string> Batch; // the output's option, then the rest
    } cases[] = {
        {"SaveSchedule", 0, "report-average-schedule.csv", {"--schedule"}},
        {"SaveSchedule", 1, "report-average-schedule.csv", {"--schedule", "--utf8"}},
        {"SaveClusters", 0, "report-average-clusters-3.csv", {"--clusters", "--cut", "3"}},
        {"SaveClusters", 1, "report-average-clusters-3.csv", {"--clusters", "--cut", "3", "--utf8"}},
        {"SaveNewick", 0, "report-average.nwk", {"--newick"}},
        {"SaveNewick", 1, "report-average.nwk", {"--newick", "--utf8"}},
        {"SaveCophenetic", 0, "report-average-cophenetic.dat", {"--cophenetic-matrix"}},
    };
    int saved = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Action) + " " + std::to_string(c.Filter));
        const std::string mine = dir.File("mine" + std::to_string(++saved));
        dialogs.AddFileName(mine + ".x", c.Filter);
        Trigger(*window, c.Action);
        ASSERT_TRUE(Errors().empty()) << Errors().front();
        EXPECT_EQ(dialogs.Shown().back().FileName, dir.File(c.Proposed));

        const std::string theirs = dir.File("theirs" + std::to_string(saved));
        std::vector<std::string> arguments = {"--method", "average", c.Batch[0], theirs};
        arguments.insert(arguments.end(), c.Batch.begin() + 1, c.Batch.end());
        Batch(arguments);
        EXPECT_EQ(ReadBytes(mine + ".x"), ReadBytes(theirs));
    }
}

TEST_F(ResultsSavesTest, PicturesOfTheWholeTreeInTheCutsColours)
{
    Open(QuotedLabels());
    const struct {
        std::size_t Filter;
        const char* Written;
        const char* Magic;
    } cases[] = {{0, "tree.pdf", "%PDF"}, {1, "tree.png", "\x89PNG"}, {2, "tree.svg", "<?xml"}};
    for (const auto& c : cases) {
        dialogs.AddFileName(dir.File("tree"), c.Filter);
        Trigger(*window, "SavePicture");
        ASSERT_TRUE(Errors().empty()) << Errors().front();
        EXPECT_EQ(ReadBytes(dir.File(c.Written)).rfind(c.Magic, 0), 0u) << c.Written;
    }
    // The SVG holds every label and the two clusters' colours.
    const std::string svg = ReadBytes(dir.File("tree.svg"));
    for (const char* label : {"a,b", "c d", "りんご", "e"})
        EXPECT_NE(svg.find(std::string(">") + label + "<"), std::string::npos) << label;
    for (const std::uint32_t color : {ClusterPalette[0], ClusterPalette[1]}) {
        char text[8];
        std::snprintf(text, sizeof text, "#%06x", color);
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(std::filesystem::directory_iterator(dir.File("")) != std::filesystem::directory_iterator(),
              true);
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("")))
        EXPECT_EQ(entry.path().string().find(".~"), std::string::npos) << "no temporary file left";
}

TEST_F(ResultsSavesTest, AWholeTreeTallerThanAPdfPageContinuesOnTheNextPage)
{
    // 1000 rows at 12 points need about 5.5 m; a PDF page may have 200 inches.
    Open(LineOfObjects(1000));
    dialogs.AddFileName(dir.File("tall.pdf"), 0);
    Trigger(*window, "SavePicture");
    ASSERT_TRUE(Errors().empty()) << Errors().front();
    const std::string pdf = ReadBytes(dir.File("tall.pdf"));
    int pages = 0;
    for (std::size_t at = pdf.find("/MediaBox [0 0 595.000000 "); at != std::string::npos;
         at = pdf.find("/MediaBox [0 0 595.000000 ", at + 1)) {
        ++pages;
        EXPECT_LE(std::stod(pdf.substr(at + 26)), 14400.0);
    }
    EXPECT_EQ(pages, 2);
}

TEST_F(ResultsSavesTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSoAndACancelKeepsIt)
{
    Open(QuotedLabels());
    const std::string file = dir.Write("s.csv", "old");
    // No: the dialog comes back with the name; then the user cancels.
    dialogs.AddFileName(file);
    messages.AddAnswer(false);
    dialogs.AddCancel();
    Trigger(*window, "SaveSchedule");
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[1].FileName, file);
    EXPECT_EQ(messages.Texts(MessageKind::Question), std::vector<std::string>{ReplaceFileQuestion(file)});
    EXPECT_EQ(ReadBytes(file), "old");

    // Yes, but the save is cancelled part-way: the old file stays whole.
    {
        ProgressScript progress;
        progress.CancelAt(2);
        dialogs.AddFileName(file);
        messages.AddAnswer(true);
        Trigger(*window, "SaveSchedule");
    }
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(messages.Texts(MessageKind::Message).back(), SavingCancelledText(file));

    dialogs.AddFileName(file);
    messages.AddAnswer(true);
    Trigger(*window, "SaveSchedule");
    EXPECT_EQ(ReadBytes(file).rfind("stage,cluster,left,right,height,size\r\n", 0), 0u);
}

TEST_F(ResultsSavesTest, ThePrintSpreadsTheWholeTreeOverPagesEachWithItsAxis)
{
    Open(LineOfObjects(40));
    PrintDialogScript printDialogs;
    printDialogs.AddConfirm();
    // 40-unit text on 900-unit pages: about a dozen rows a page.
    RecordingCanvas canvas(40, 12, 900, 900);
    Printer::Instance().SetTestCanvas(&canvas);
    Find<QPushButton>("PrintButton").click();
    Printer::Instance().SetTestCanvas(nullptr);
    ASSERT_TRUE(Errors().empty()) << Errors().front();

    ASSERT_EQ(printDialogs.ShownDialogs().size(), 1u);
    EXPECT_EQ(printDialogs.ShownDialogs()[0].JobName, "Vantrel - report-complete-tree");
    int pages = 1;
    int axes = 0;
    int labels = 0;
    for (const auto& command : canvas.Commands()) {
        pages += command.Kind == RecordingCanvas::Op::NewPage;
        axes += command.Kind == RecordingCanvas::Op::TextOut && command.Text == Sjis("最長距離法");
        labels += command.Kind == RecordingCanvas::Op::TextOut && command.Text.rfind('o', 0) == 0;
    }
    EXPECT_GT(pages, 2);
    EXPECT_EQ(axes, pages) << "a caption and axis on every page";
    EXPECT_EQ(labels, 40);
}

TEST_F(ResultsSavesTest, ThePrintDialogsCancelPrintsNothing)
{
    Open(LineOfObjects(5));
    PrintDialogScript printDialogs;
    printDialogs.AddCancel();
    RecordingCanvas canvas;
    Printer::Instance().SetTestCanvas(&canvas);
    Find<QPushButton>("PrintButton").click();
    Printer::Instance().SetTestCanvas(nullptr);
    EXPECT_EQ(printDialogs.ShownCount(), 1);
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(messages.Messages().empty());
}

} // namespace
} // namespace vantrel::testing
