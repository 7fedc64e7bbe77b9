#include "input/TFCoord.h"

#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TextChannelCanvases.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

using Texts = std::vector<std::string>;
constexpr int Height = 10;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

struct ShownCoord {
    TFCoord form;
    StringGrid* Table = form.findChild<StringGrid*>("StringGrid1");
    ShownCoord() { form.show(); }
    void Print() { form.findChild<QPushButton*>("PButton")->click(); }
};

struct RecordedPrinter {
    RecordingCanvas canvas{Height, 1, 1 << 20, 1 << 24};
    RecordedPrinter() { Printer::Instance().SetTestCanvas(&canvas); }
    ~RecordedPrinter() { Printer::Instance().SetTestCanvas(nullptr); }
};

TEST(CoordPButton, CancellingThePrintDialogStillPrintsTheTable)
{
    ShownCoord window;
    window.Table->SetCell(1, 1, Sjis("身長と体重の比率")); // 16 bytes: wider than its field
    window.Table->SetCell(2, 1, "x");
    window.Table->SetCell(2, 2, "170.5");
    QWidget* const focusBefore = window.form.focusWidget();
    PrintDialogScript dialog;
    dialog.AddCancel();
    RecordedPrinter printer;
    MessageRecorder messages;
    window.Print();

    EXPECT_EQ(dialog.ShownCount(), 1);
    EXPECT_EQ(PrintedLines(printer.canvas, Height),
              (Texts{"", "", "Data =", "", "",
                     Blanks(12) + Sjis(" ラベル") + Blanks(5) + Sjis(" 属性 1") + Blanks(5),
                     Sjis(" 属性ラベル") + " " + Sjis("身長と体重の比率") + "x" + Blanks(11),
                     Sjis(" 対象 1") + Blanks(5) + Blanks(12) + "170.5" + Blanks(7),
                     Sjis(" 対象 2") + Blanks(5) + Blanks(24)}));
    EXPECT_EQ(printer.canvas.FontName(), "ＭＳ 明朝");
    EXPECT_EQ(printer.canvas.FontSize(), 12);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(window.form.focusWidget(), focusBefore);
}

TEST(CoordPButton, PrintsToTheFileChosenInTheDialogAndSaysWhere)
{
    namespace fs = std::filesystem;
    const fs::path pdf = fs::temp_directory_path() / ("vantrel-coord-" + std::to_string(::getpid()) + ".pdf");
    ShownCoord window;
    PrintDialogScript dialog;
    dialog.AddPrintToFile(pdf.string());
    MessageRecorder messages;
    window.Print();
    Printer::Instance().SetOutputFileName({});

    EXPECT_TRUE(messages.Texts(MessageKind::Error).empty());
    EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Listing (PDF) = " + pdf.string()});
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    fs::remove(pdf);
}

TEST(CoordPButton, APdfThatCannotBeWrittenIsAnErrorNotANotice)
{
    ShownCoord window;
    PrintDialogScript dialog;
    dialog.AddPrintToFile("/nonexistent-folder-for-vantrel/listing.pdf");
    MessageRecorder messages;
    window.Print();
    Printer::Instance().SetOutputFileName({});

    EXPECT_TRUE(messages.Texts(MessageKind::Message).empty());
    const Texts errors = messages.Texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("/nonexistent-folder-for-vantrel/listing.pdf"), std::string::npos);
}

} // namespace
