#include "input/TFDist.h"
#include "input/TFSim.h"

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TextChannelCanvases.h"
#include "support/ScratchFiles.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

using Texts = std::vector<std::string>;
constexpr int Height = 10;

// Sends the printer's jobs to a recording canvas for as long as it lives.
struct RecordedPrinter {
    RecordingCanvas canvas{Height, 1, 1 << 20, 1 << 24};
    RecordedPrinter() { Printer::Instance().SetTestCanvas(&canvas); }
    ~RecordedPrinter() { Printer::Instance().SetTestCanvas(nullptr); }
};

template <class Form>
struct ShownForm {
    std::unique_ptr<Form> form = std::make_unique<Form>();
    StringGrid* Matrix = form->template findChild<StringGrid*>("StringGrid1");
    StringGrid* Labels = form->template findChild<StringGrid*>("StringGrid2");
    ShownForm() { form->show(); }
    QPushButton* Button(const char* name) { return form->template findChild<QPushButton*>(name); }
};

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

template <class Form>
void ExpectFreshWindowListing()
{
    ShownForm<Form> window;
    // Cells as they stand, never confirmed by OK; "abc" would be refused.
    window.Labels->SetCell(1, 1, Sjis("東京"));
    window.Matrix->SetCell(1, 2, "abc");
    RecordedPrinter printer;
    MessageRecorder messages;
    window.Button("PButton")->click();

    const std::string h1 = Sjis(" 対象 1") + Blanks(3);
    const std::string h2 = Sjis(" 対象 2") + Blanks(3);
    const Texts lines = PrintedLines(printer.canvas, Height);
    ASSERT_EQ(lines.size(), 4u + 3 + 1 + 3);
    EXPECT_EQ(lines[2], "Data =");
    EXPECT_EQ(lines[4].size(), 20u);
    EXPECT_EQ(lines[5], h1 + Sjis("東京") + Blanks(6));
    EXPECT_EQ(lines[6], h2 + Blanks(10));
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], Blanks(10) + h1 + h2);
    EXPECT_EQ(lines[9], h1 + "*" + Blanks(9) + "*" + Blanks(9));
    EXPECT_EQ(lines[10], h2 + "abc" + Blanks(7) + "*" + Blanks(9));
    EXPECT_EQ(printer.canvas.FontName(), "ＭＳ 明朝");
    EXPECT_EQ(printer.canvas.FontSize(), 12);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(window.form->focusWidget(), window.Button("CalcButton"));
}

TEST(MatrixPButton, DissimilarityWindowPrintsBothGridsAndFocusesOk) { ExpectFreshWindowListing<TFDist>(); }

TEST(MatrixPButton, SimilarityWindowPrintsTheSameListing) { ExpectFreshWindowListing<TFSim>(); }

TEST(MatrixPButton, AFailingPrinterIsReportedAndTheListingStops)
{
    ShownForm<TFDist> window;
    FailingCanvas canvas(2, Height, 1, 1 << 20, 1 << 24);
    Printer::Instance().SetTestCanvas(&canvas);
    MessageRecorder messages;
    window.Button("PButton")->click();
    Printer::Instance().SetTestCanvas(nullptr);

    EXPECT_EQ(messages.Texts(MessageKind::Error), Texts{"I/O error: PRN: No space left on device"});
    EXPECT_EQ(PrintedLines(canvas, Height), (Texts{"", "", "Data ="}));
    EXPECT_EQ(canvas.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
}

TEST(MatrixPButton, ListingPrintedToAFileTellsTheUserWhere)
{
    namespace fs = std::filesystem;
    const fs::path pdf =
        fs::temp_directory_path() / ("vantrel-listing-" + std::to_string(::getpid()) + ".pdf");
    ShownForm<TFDist> window;
    Printer::Instance().SetOutputFileName(pdf.string());
    MessageRecorder messages;
    window.Button("PButton")->click();
    Printer::Instance().SetOutputFileName({});

    EXPECT_TRUE(messages.Texts(MessageKind::Error).empty());
    EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Listing (PDF) = " + pdf.string()});
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    fs::remove(pdf);
}

// Notes the name each job carries when it begins.
struct JobNamesCanvas : RecordingCanvas {
    std::vector<std::string> Names;
    JobNamesCanvas() : RecordingCanvas(Height, 1, 1 << 20, 1 << 24) { }
    void BeginDoc() override
    {
        Names.push_back(Printer::Instance().JobName());
        RecordingCanvas::BeginDoc();
    }
};

TEST(MatrixPButton, ListingIsNamedAfterItsWindowAndItsPdfGoesBesideTheFileLastSaved)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    MessageRecorder messages;
    ShownForm<TFDist> window;
    JobNamesCanvas canvas;
    Printer::Instance().SetTestCanvas(&canvas);
    window.Button("PButton")->click();
    // A print system that refuses the job: an error, and no word of a PDF.
    Printer::Instance().SetTestRefusal(std::pair<std::string, std::string>("Office", "stopped"));
    window.Button("PButton")->click();
    Printer::Instance().SetTestRefusal(std::nullopt);
    Printer::Instance().SetTestCanvas(nullptr);
    EXPECT_EQ(canvas.Names, Texts(2, "Vantrel - 距離（非類似度）"));
    EXPECT_EQ(messages.Texts(MessageKind::Error), Texts{JobRefusedText("Office", "stopped")});
    EXPECT_TRUE(messages.Texts(MessageKind::Message).empty());

    if (Printer::HasSystemPrinters())
        GTEST_SKIP() << "this machine prints on a printer, not to files";
    dialogs.AddFileName(dir.File("fruits.dat"));
    window.Button("SaveButton")->click();
    messages.Clear();
    window.Button("PButton")->click();
    EXPECT_EQ(messages.Texts(MessageKind::Message),
              Texts{"Listing (PDF) = " + dir.File("fruits.dat") + ".pdf"});
    EXPECT_EQ(ReadBytes(dir.File("fruits.dat") + ".pdf").rfind("%PDF-", 0), 0u);
}

} // namespace
