#include "platform/Printer.h"
#include "platform/PrintDialog.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "platform/gui/PageFile.h"
#include "print/Dendrogram.h"
#include "print/RecordingCanvas.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("vantrel-printer-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        Printer::Instance().SetOutputFileName({});
    }
    void TearDown() override
    {
        Printer::Instance().SetTestCanvas(nullptr);
        Printer::Instance().SetOutputFileName({});
        Printer::Instance().SetDocumentFileName({});
        fs::remove_all(dir_);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Head(const std::string& path, std::size_t count)
    {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(count, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(count));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    }

    // Two objects merged at 1, drawn on the printer's canvas.
    static void PrintSmallPage()
    {
        AnalysisData data;
        data.ObjectCount = 2;
        data.ObjectLabels[1] = "a";
        data.ObjectLabels[2] = "b";
        ClusterTree tree;
        for (int id = 1; id <= 2; ++id) {
            auto leaf = std::make_unique<ClusterNode>();
            leaf->Id = id;
            tree.Add(std::move(leaf));
        }
        auto root = std::make_unique<ClusterNode>();
        root->Id = 3;
        root->Left = &tree.Node(1);
        root->Right = &tree.Node(2);
        root->Height = 1.0L;
        tree.Add(std::move(root));
        PrintDendrogram(data, tree, 0, "12", Printer::Instance().GetCanvas());
    }

    fs::path dir_;
};

TEST_F(PrinterTest, ScriptedDialogAnswersAreTakenInOrder)
{
    PrintDialogScript script;
    script.AddConfirm();
    script.AddCancel();
    script.AddPrintToFile(Path("chosen.pdf"));
    EXPECT_TRUE(PrintDialog::Execute());
    EXPECT_FALSE(PrintDialog::Execute());
    EXPECT_TRUE(PrintDialog::Execute());
    EXPECT_EQ(Printer::Instance().OutputFileName(), Path("chosen.pdf"));
    EXPECT_FALSE(PrintDialog::Execute()); // nothing left: cancel
    EXPECT_EQ(script.ShownCount(), 4);
}

TEST_F(PrinterTest, TestCanvasReceivesTheWholeJob)
{
    RecordingCanvas recording;
    Printer::Instance().SetTestCanvas(&recording);
    PrintSmallPage();
    ASSERT_FALSE(recording.Commands().empty());
    EXPECT_EQ(recording.Commands().front().Kind, RecordingCanvas::Op::BeginDoc);
    EXPECT_EQ(recording.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
    EXPECT_EQ(recording.FontSize(), 12);
}

TEST_F(PrinterTest, ThePageIsPrintedWhateverTheDialogAnswers)
{
    RecordingCanvas recording;
    Printer::Instance().SetTestCanvas(&recording);
    PrintDialogScript script;
    script.AddCancel();
    int drawn = 0;
    const std::string pdf = PrintAfterDialog(nullptr, [&](Canvas& canvas) {
        EXPECT_EQ(script.ShownCount(), 1); // the dialog comes first
        EXPECT_EQ(&canvas, &Printer::Instance().GetCanvas());
        PrintSmallPage();
        ++drawn;
    });
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(pdf, "");
    EXPECT_EQ(recording.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
}

TEST_F(PrinterTest, AJobReplacesAnExistingFileOnlyWhenCompleteAndAnAbortedOneLeavesItAsItWas)
{
    PageFileCanvas pageFile(Path("batch.pdf"));
    const struct {
        Canvas& canvas;
        std::string file;
    } jobs[] = {{Printer::Instance().GetCanvas(), Path("printer.pdf")}, {pageFile, Path("batch.pdf")}};
    for (const auto& job : jobs) {
        SCOPED_TRACE(job.file);
        std::ofstream(job.file) << "old";
        Printer::Instance().SetOutputFileName(Path("printer.pdf"));
        job.canvas.BeginDoc();
        job.canvas.TextOut(0, 0, "page 1");
        job.canvas.NewPage();
        EXPECT_EQ(Head(job.file, 5), "old");
        job.canvas.AbortDoc();
        EXPECT_EQ(Head(job.file, 5), "old");
        // The canvas takes the next job as before (a file chosen in the
        // print dialog is for one job), which takes the file's place.
        Printer::Instance().SetOutputFileName(Path("printer.pdf"));
        job.canvas.BeginDoc();
        EXPECT_EQ(Head(job.file, 5), "old");
        job.canvas.EndDoc();
        EXPECT_EQ(Head(job.file, 5), "%PDF-");
    }
    // No half-written file is left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(PrinterTest, WithoutAPrinterThePageGoesToAPdfBesideTheReport)
{
    if (Printer::HasSystemPrinters())
        GTEST_SKIP() << "this machine has a printer";
    const std::string report = Path("out.txt");
    Printer::Instance().SetDocumentFileName(report);
    EXPECT_EQ(Printer::Instance().PdfPathForNextJob(), report + ".pdf");
    PrintSmallPage();
    EXPECT_EQ(Printer::Instance().LastPdfPath(), report + ".pdf");
    EXPECT_EQ(Head(report + ".pdf", 5), "%PDF-");

    // A file chosen in the dialog wins over the report's neighbour.
    PrintDialogScript script;
    script.AddPrintToFile(Path("chosen.pdf"));
    PrintDialog::Execute();
    PrintSmallPage();
    EXPECT_EQ(Printer::Instance().LastPdfPath(), Path("chosen.pdf"));
    EXPECT_EQ(Head(Path("chosen.pdf"), 5), "%PDF-");
}

TEST_F(PrinterTest, JobsAreNamedAndTheDialogShowsWhereTheirPdfGoes)
{
    RecordingCanvas recording;
    Printer::Instance().SetTestCanvas(&recording);
    PrintDialogScript script;
    script.AddCancel();
    script.AddCancel();
    std::vector<std::string> jobs;
    const auto draw = [&](Canvas&) { jobs.push_back(Printer::Instance().JobName()); };
    // A page of a report: named after it, its PDF beside it.
    PrintAfterDialog(nullptr, draw, Path("fruits.txt"));
    // A listing of a window that has saved no file: its PDF goes to the
    // documents folder.
    {
        const PrintJobScope job("座標値", {});
        PrintAfterDialog(nullptr, draw);
    }
    EXPECT_EQ(jobs, (std::vector<std::string>{"Vantrel - fruits.txt", "Vantrel - 座標値"}));
    ASSERT_EQ(script.ShownDialogs().size(), 2u);
    EXPECT_EQ(script.ShownDialogs()[0].JobName, "Vantrel - fruits.txt");
    EXPECT_EQ(script.ShownDialogs()[0].OutputFile, Path("fruits.txt") + ".pdf");
    const std::string documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    const std::string home = QDir::homePath().toStdString();
    const std::string& listing = script.ShownDialogs()[1].OutputFile;
    EXPECT_TRUE(listing.rfind(documents + "/Vantrel-", 0) == 0 || listing.rfind(home + "/Vantrel-", 0) == 0)
        << listing;
    EXPECT_EQ(Printer::Instance().JobName(), "");
    EXPECT_EQ(Printer::Instance().DocumentFileName(), "");
}

TEST_F(PrinterTest, AnUnwritablePdfIsAnError)
{
    Printer::Instance().SetOutputFileName(Path("no-such-folder/page.pdf"));
    EXPECT_THROW(PrintSmallPage(), IoError);
    // The printer stays usable for the next job.
    Printer::Instance().SetOutputFileName(Path("next.pdf"));
    PrintSmallPage();
    EXPECT_EQ(Head(Path("next.pdf"), 5), "%PDF-");
}

TEST_F(PrinterTest, CanvasFontPersistsBetweenJobs)
{
    Canvas& canvas = Printer::Instance().GetCanvas();
    Printer::Instance().SetOutputFileName(Path("font.pdf"));
    canvas.BeginDoc();
    canvas.SetFontSize(30);
    const int big = canvas.TextHeight("X");
    canvas.EndDoc();
    // A file named for a job is for that job only.
    Printer::Instance().SetOutputFileName(Path("font2.pdf"));
    canvas.BeginDoc();
    EXPECT_EQ(canvas.TextHeight("X"), big);
    canvas.SetFontSize(10);
    EXPECT_LT(canvas.TextHeight("X"), big);
    canvas.EndDoc();
}

TEST_F(PrinterTest, PageFilesWritePdfAndPngByName)
{
    EXPECT_EQ(PageFile::FormatForName("d.PNG"), PageFile::Format::Png);
    EXPECT_EQ(PageFile::FormatForName("d.pdf"), PageFile::Format::Pdf);
    EXPECT_EQ(PageFile::FormatForName("png"), PageFile::Format::Pdf);

    const std::string png = Path("page.png");
    {
        PageFileCanvas canvas(png);
        canvas.BeginDoc();
        canvas.SetFontSize(12);
        EXPECT_GT(canvas.PageWidth(), 1000);
        canvas.MoveTo(10, 10);
        canvas.LineTo(200, 10);
        canvas.TextOut(10, 50, "A");
        canvas.EndDoc();
    }
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 300), QColor(Qt::white));

    PageFileCanvas bad(Path("missing/page.png"));
    EXPECT_THROW(bad.BeginDoc(), IoError);
}

} // namespace
} // namespace vantrel
