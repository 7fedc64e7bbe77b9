// Long work of the input windows cancelled from its progress dialog: the
// user is told what was stopped and nothing else happens. A load leaves the
// grids, a save the old file, a listing no half-written PDF, OK and the
// distance buttons the window waiting. The dialog shows at once and counts
// every step under the test seam, so a few lines are enough.

#include "input/TFCoord.h"
#include "input/TFDist.h"
#include "support/InputDoneProbe.h"
#include "support/WindowCells.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeTable.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace vantrel::testing {
namespace {

using Texts = std::vector<std::string>;

struct CancelledWorkTest : ::testing::Test {
    ScratchDir dir;
    FileDialogScript dialogs;
    MessageRecorder messages;
    TFDist matrix;
    TFCoord attributes;
    InputDoneProbe matrixDone{matrix};
    InputDoneProbe attributesDone{attributes};

    CancelledWorkTest()
    {
        MatrixGrids grids({"A", "B"}, {"1"});
        matrix.findChild<StringGrid*>("StringGrid2")->ChangeStore([&](CellStore& s) { s = grids.Labels; });
        matrix.findChild<StringGrid*>("StringGrid1")->ChangeStore([&](CellStore& s) { s = grids.Matrix; });
        attributes.findChild<StringGrid*>("StringGrid1")->ChangeStore([](CellStore& cells) {
            AttributeTable::Initialize(cells);
            cells.SetCell(1, 2, "A");
            cells.SetCell(2, 2, "1");
            cells.SetCell(1, 3, "B");
            cells.SetCell(2, 3, "3");
        });
        matrix.show();
        attributes.show();
    }
    ~CancelledWorkTest() override { Printer::Instance().SetOutputFileName({}); }

    // Clicks `button` of `window`, choosing `fileName` when a file dialog
    // asks, with Cancel pressed at the `cancelAt`-th step; returns what the
    // progress dialog showed.
    std::vector<ProgressScript::Part> CancelAt(QWidget& window, const char* button,
                                               const std::string& fileName, int cancelAt = 1,
                                               const std::string& part = {})
    {
        messages.Clear();
        if (!fileName.empty())
            dialogs.AddFileName(fileName);
        ProgressScript progress;
        progress.CancelAt(cancelAt, part);
        window.findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(messages.Texts(MessageKind::Error).empty()) << messages.Texts(MessageKind::Error).front();
        EXPECT_TRUE(window.isVisible());
        return progress.Parts();
    }

    std::size_t FilesInDir() const
    {
        const std::filesystem::directory_iterator files(dir.File(""));
        return static_cast<std::size_t>(std::distance(begin(files), end(files)));
    }
};

struct Button {
    QWidget* window;
    const char* name;
};

TEST_F(CancelledWorkTest, CancelledLoadsLeaveTheGridsAsTheyWere)
{
    const struct {
        Button load;
        std::string contents;
    } loads[] = {
        {{&matrix, "LoadButton"}, "3\r\nX\r\nY\r\nZ\r\n4\r\n5\r\n6\r\n"},
        {{&matrix, "RDCSVButton"}, ",X,Y,Z\r\nX\r\nY,4\r\nZ,5,6\r\n"},
        {{&attributes, "LoadButton"}, "4\r\n3\r\n\r\nh\r\nX\r\n4\r\nY\r\n5\r\n"},
        {{&attributes, "RDCSVButton"}, ",h\r\nX,4\r\nY,5\r\nZ,6\r\n"},
    };
    for (const auto& load : loads) {
        SCOPED_TRACE(load.load.name);
        const std::string file = dir.Write("in.dat", load.contents);
        const Texts before = AllCells(*load.load.window);
        const auto shown = CancelAt(*load.load.window, load.load.name, file);
        EXPECT_EQ(AllCells(*load.load.window), before);
        EXPECT_EQ(messages.Texts(MessageKind::Message),
                  Texts{"Loading cancelled: " + file + " was not loaded; the window keeps its data."});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].What, "Loading " + file);
    }
}

TEST_F(CancelledWorkTest, CancelledSavesKeepTheOldFileAndLeaveNothingBeside)
{
    const Button saves[] = {{&matrix, "SaveButton"},
                            {&matrix, "WRCSVButton"},
                            {&attributes, "SaveButton"},
                            {&attributes, "WRCSVButton"}};
    const std::string old = "old bytes\r\n";
    const std::string file = dir.Write("old.csv", old);
    for (const Button& save : saves) {
        SCOPED_TRACE(save.name);
        messages.AddAnswer(true); // replace the old file
        CancelAt(*save.window, save.name, file);
        EXPECT_EQ(ReadBytes(file), old);
        EXPECT_EQ(FilesInDir(), 1u);
        EXPECT_EQ(messages.Texts(MessageKind::Message),
                  Texts{"Saving cancelled: " + file + " was not saved."});
    }
}

TEST_F(CancelledWorkTest, CancelledListingsLeaveNoHalfWrittenPdf)
{
    const std::string pdf = dir.File("listing.pdf");
    PrintDialogScript printDialog;
    printDialog.AddPrintToFile(pdf); // the attribute window asks, the matrix window does not
    Printer::Instance().SetOutputFileName(pdf);
    const struct {
        Button print;
        const char* bar;
    } listings[] = {{{&matrix, "PButton"}, "4 / 11 lines"}, {{&attributes, "PButton"}, "4 / 9 lines"}};
    for (const auto& listing : listings) {
        SCOPED_TRACE(listing.bar);
        const auto shown = CancelAt(*listing.print.window, listing.print.name, {}, 4);
        EXPECT_FALSE(std::filesystem::exists(pdf));
        EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Printing cancelled: nothing was printed."});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].What, "Printing the listing");
        EXPECT_EQ(shown[0].Bar, listing.bar);
    }
}

TEST_F(CancelledWorkTest, AListingsPdfReplacesAnExistingFileOnlyWhenAskedAndComplete)
{
    if (Printer::HasSystemPrinters())
        GTEST_SKIP() << "this machine prints on a printer, not to files";
    // Both windows' listings go beside the file they saved last.
    dialogs.AddFileName(dir.File("data.dat"));
    matrix.findChild<QPushButton*>("SaveButton")->click();
    dialogs.AddFileName(dir.File("data.dat"));
    messages.AddAnswer(true);
    attributes.findChild<QPushButton*>("SaveButton")->click();
    const std::string pdf = dir.File("data.dat") + ".pdf";
    const ShownMessage asked{MessageKind::Question, ReplaceFileQuestion(pdf)};
    const ShownMessage written{MessageKind::Message, "Listing (PDF) = " + pdf};
    const ShownMessage kept{MessageKind::Message, "Printing cancelled: " + pdf +
                                                      " already exists and was kept; nothing was printed."};
    const ShownMessage cancelled{MessageKind::Message, "Printing cancelled: nothing was printed."};
    const struct {
        const char* name;
        QWidget* window;
        bool chosenInDialog;
        std::optional<bool> answer;
        int cancelAtLine;
        bool replaced;
        std::vector<ShownMessage> told;
    } cases[] = {
        {"Yes", &matrix, false, true, 0, true, {asked, written}},
        {"No", &matrix, false, false, 0, false, {asked, kept}},
        {"Yes, then a cancel", &matrix, false, true, 4, false, {asked, cancelled}},
        // The print dialog asked itself when the file was chosen there.
        {"the file chosen in the print dialog", &attributes, true, std::nullopt, 0, true, {written}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(pdf, "old");
        messages.Clear();
        if (c.answer)
            messages.AddAnswer(*c.answer);
        PrintDialogScript printDialog;
        if (c.chosenInDialog)
            printDialog.AddPrintToFile(pdf);
        ProgressScript progress;
        progress.CancelAt(c.cancelAtLine);
        c.window->findChild<QPushButton*>("PButton")->click();
        EXPECT_EQ(ReadBytes(pdf).substr(0, 5), c.replaced ? "%PDF-" : "old");
        EXPECT_EQ(FilesInDir(), 2u); // data.dat and its PDF, nothing half-written
        ASSERT_EQ(messages.Messages().size(), c.told.size());
        for (std::size_t i = 0; i < c.told.size(); ++i) {
            EXPECT_EQ(messages.Messages()[i].Kind, c.told[i].Kind);
            EXPECT_EQ(messages.Messages()[i].Text, c.told[i].Text);
        }
    }
}

TEST_F(CancelledWorkTest, CancelledOkAndDistanceButtonsKeepTheWindowWaiting)
{
    CancelAt(matrix, "CalcButton", {});
    EXPECT_EQ(matrixDone.InputDone, 0);
    EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Calculation cancelled."});

    // Standardized: the report is asked for and echoed before the distances.
    Shared().DissimMatrix(2, 1) = -7.0L;
    const std::string report = dir.File("report.txt");
    const auto shown = CancelAt(attributes, "EucStdButton", report, 1, "Computing the distances");
    EXPECT_EQ(attributesDone.InputDone, 0);
    EXPECT_EQ(Shared().DissimMatrix(2, 1), -7.0L);
    EXPECT_EQ(attributes.TakeReport(), nullptr);
    EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Calculation cancelled. Output File = " + report});
    EXPECT_NE(ReadBytes(report), "");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().What, "Computing the distances");
}

} // namespace
} // namespace vantrel::testing
