#include "input/TFCoord.h"
#include "support/InputDoneProbe.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeTable.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"

#include "input_core/MatrixTestGrids.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vantrel {
namespace {

using testing::InputDoneProbe;
using testing::ReadBytes;

struct TFCoordTest : ::testing::Test {
    TFCoord window;
    InputDoneProbe probe{window};
    FileDialogScript dialogs;
    MessageRecorder messages;
    testing::ScratchDir scratch;

    TFCoordTest() { window.show(); }

    std::string File(const std::string& name) { return scratch.File(name); }
    StringGrid& Grid() { return *window.findChild<StringGrid*>("StringGrid1"); }
    QPushButton& Button(const char* name)
    {
        auto* button = window.findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return *button;
    }
    void Click(const char* name) { Button(name).click(); }
    // Types a whole table: rows of {label, values...}, names of the attributes.
    void Fill(const std::vector<std::string>& names, const std::vector<std::vector<std::string>>& rows)
    {
        Grid().ChangeStore([&](CellStore& cells) {
            cells.Resize(static_cast<int>(names.size()) + 2, static_cast<int>(rows.size()) + 2);
            AttributeTable::NumberHeaders(cells);
            for (std::size_t j = 0; j < names.size(); ++j)
                cells.SetCell(static_cast<int>(j) + 2, 1, names[j]);
            for (std::size_t i = 0; i < rows.size(); ++i)
                for (std::size_t c = 0; c < rows[i].size(); ++c)
                    cells.SetCell(static_cast<int>(c) + 1, static_cast<int>(i) + 2, rows[i][c]);
        });
    }
};

TEST_F(TFCoordTest, ComponentsCaptionsPlacesAndTabOrder)
{
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("座標値"));
    EXPECT_EQ(Grid().geometry(), QRect(8, 0, 537, 417));
    const struct {
        const char* name;
        const char* caption;
        QRect place;
    } buttons[] = {
        {"AddButton", "追 加（行）", {568, 8, 75, 25}},
        {"DelButton", "削 除（行）", {656, 8, 75, 25}},
        {"AddColButton", "追 加（列）", {568, 56, 75, 25}},
        {"DelColButton", "削 除（列）", {656, 56, 75, 25}},
        {"SaveButton", "保  存", {568, 104, 75, 25}},
        {"LoadButton", "読  出", {656, 104, 75, 25}},
        {"WRCSVButton", "保存（CSV）", {568, 152, 75, 25}},
        {"RDCSVButton", "読出（CSV）", {656, 152, 75, 25}},
        {"PButton", "印  刷", {616, 200, 75, 25}},
        {"EucButton", "ユークリッド距離", {584, 248, 137, 25}},
        {"EucStdButton", "標準化ユークリッド距離", {584, 288, 137, 25}},
    };
    for (const auto& expected : buttons) {
        EXPECT_EQ(Button(expected.name).text(), QString::fromUtf8(expected.caption)) << expected.name;
        EXPECT_EQ(Button(expected.name).geometry(), expected.place) << expected.name;
    }
    const char* order[] = {"AddButton",    "DelButton",    "EucButton",   "SaveButton",
                           "LoadButton",   "PButton",      "WRCSVButton", "RDCSVButton",
                           "EucStdButton", "AddColButton", "DelColButton"};
    QWidget* previous = &Grid();
    for (const char* name : order) {
        // The grid's open cell editor sits inside the grid in the chain.
        QWidget* next = previous->nextInFocusChain();
        while (next != nullptr && Grid().isAncestorOf(next))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, &Button(name)) << name;
        previous = &Button(name);
    }
}

TEST_F(TFCoordTest, StartsWithOneAttributeTwoObjectsAndWideHeaderColumn)
{
    EXPECT_EQ(Grid().ColCount(), 3);
    EXPECT_EQ(Grid().RowCount(), 4);
    EXPECT_EQ(Grid().ColWidth(0), 96);
    EXPECT_EQ(Grid().ColWidth(1), 64);
    EXPECT_EQ(Grid().Cell(0, 1), Sjis(" 属性ラベル"));
    EXPECT_EQ(Grid().Cell(2, 0), Sjis(" 属性 1"));
    EXPECT_EQ(Grid().Cell(1, 1), "");
    EXPECT_EQ(Grid().SelectedCell(), (GridCoord{1, 1}));
}

TEST_F(TFCoordTest, EditButtonsActAtTheSelectedCellAndKeepTheHeaderWidth)
{
    Fill({"x"}, {{"A", "1"}, {"B", "2"}});
    Grid().SelectCell(2, 2);
    Click("AddButton");
    EXPECT_EQ(Grid().RowCount(), 5);
    EXPECT_EQ(Grid().Cell(1, 3), " ");
    EXPECT_EQ(Grid().Cell(1, 4), "B");
    EXPECT_EQ(Grid().SelectedCell(), (GridCoord{2, 2}));
    Click("AddColButton");
    EXPECT_EQ(Grid().ColCount(), 4);
    EXPECT_EQ(Grid().Cell(3, 0), Sjis(" 属性 2"));
    EXPECT_EQ(Grid().Cell(3, 1), " ");
    Grid().SelectCell(2, 2);
    Click("DelColButton");
    EXPECT_EQ(Grid().Cell(2, 1), " ");
    Click("DelButton");
    EXPECT_EQ(Grid().RowCount(), 4);
    EXPECT_EQ(Grid().Cell(1, 2), " ");
    EXPECT_EQ(Grid().Cell(0, 3), Sjis(" 対象 2"));
    EXPECT_EQ(Grid().ColWidth(0), 96);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(TFCoordTest, InsertingBeyondTheLimitsShowsAMessage)
{
    Grid().ChangeStore([](CellStore& cells) { cells.Resize(202, 1002); });
    Grid().SelectCell(1, 1);
    Click("AddButton");
    Click("AddColButton");
    EXPECT_EQ(Grid().RowCount(), 1002);
    EXPECT_EQ(Grid().ColCount(), 202);
    EXPECT_EQ(messages.Texts(MessageKind::Message).size(), 2u);
}

TEST_F(TFCoordTest, SaveAndLoadTheDataFile)
{
    Fill({"x", "y"}, {{"A", " 1 ", "2"}, {"B", "3", "4"}});
    const std::string path = File("table.dat");
    dialogs.AddFileName(path);
    Click("SaveButton");
    EXPECT_EQ(ReadBytes(path), "4\r\n4\r\n\r\nx\r\ny\r\nA\r\n1\r\n2\r\nB\r\n3\r\n4\r\n");

    Click("AddButton");
    dialogs.AddFileName(path);
    Click("LoadButton");
    EXPECT_EQ(Grid().RowCount(), 4);
    EXPECT_EQ(Grid().Cell(2, 2), "1");
    EXPECT_EQ(Grid().ColWidth(0), 96);
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0].Title, Sjis("ファイル名"));
    EXPECT_EQ(dialogs.Shown()[1].Kind, FileDialog::Kind::Open);
    EXPECT_EQ(dialogs.Shown()[1].Filter, "");
}

TEST_F(TFCoordTest, CsvExportNamesAndCancelledFilterPersists)
{
    Fill({"x"}, {{"A B", "1"}});
    dialogs.AddCancel();
    Click("WRCSVButton");
    dialogs.AddCancel();
    Click("SaveButton");
    EXPECT_EQ(dialogs.Shown()[1].Filter, "CSV files (*.csv)|*.CSV");

    const std::string base = File("export");
    dialogs.AddFileName(base);
    Click("WRCSVButton");
    EXPECT_EQ(ReadBytes(base + ".csv"), ",x\r\n\"A B\",1\r\n");
    EXPECT_EQ(window.SaveDialog1().Filter(), "");

    Fill({"x", "y"}, {});
    dialogs.AddFileName(base + ".csv");
    Click("RDCSVButton");
    EXPECT_EQ(Grid().ColCount(), 3);
    EXPECT_EQ(Grid().Cell(1, 2), "A B");
    EXPECT_EQ(dialogs.Shown().back().Filter, "CSV files (*.csv)|*.CSV");
    EXPECT_EQ(window.OpenDialog1().Filter(), "");
}

TEST_F(TFCoordTest, LoadErrorsGoToTheErrorBoxAndKeepTheTable)
{
    dialogs.AddFileName(File("missing.dat"));
    Click("LoadButton");
    const std::string bad = File("bad.dat");
    std::ofstream(bad, std::ios::binary) << "1\r\n3\r\n";
    dialogs.AddFileName(bad);
    Click("LoadButton");
    EXPECT_EQ(messages.Texts(MessageKind::Error).size(), 2u);
    EXPECT_EQ(Grid().RowCount(), 4);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TFCoordTest, EuclideanPressEndsTheInputWithReportOpen)
{
    Fill({"x", "y"}, {{"P", "0", "0"}, {"Q", "3", "4"}});
    const std::string report = File("report.txt");
    dialogs.AddFileName(report);
    Click("EucButton");
    EXPECT_EQ(probe.InputDone, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Shared().DissimMatrix(2, 1), 5.0L);
    EXPECT_EQ(window.OpenDialog1().FileName(), report);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].Title, "Output File");
    EXPECT_EQ(dialogs.Shown()[0].Kind, FileDialog::Kind::Save);
    EXPECT_EQ(dialogs.Shown()[0].Filter, "");
    EXPECT_EQ(dialogs.Shown()[0].FileName, "");
    const std::unique_ptr<TextFileWriter> opened = window.TakeReport();
    ASSERT_TRUE(opened && opened->IsOpen());
    opened->Close();
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ...") +
                                     "\r\n  1 : P             0.0    0.0\r\n"
                                     "  2 : Q             3.0    4.0\r\n");
}

TEST_F(TFCoordTest, BadCellShowsPlainMessageAndKeepsWindowOpen)
{
    Fill({"x"}, {{"A", "1"}, {"B", "abc"}});
    Click("EucStdButton");
    EXPECT_EQ(messages.Texts(MessageKind::Message), std::vector<std::string>{"Error ===>  Cells[3,2] = abc"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(probe.InputDone, 0);
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(TFCoordTest, CancelKeepsWindowOpenAndNextPressAsksAgain)
{
    Fill({"x"}, {{"A", "1"}, {"B", "2"}});
    // An existing file is not replaced without a Yes; No is back in the
    // dialog, cancelled here.
    const std::string existing = scratch.Write("table.dat", "data");
    dialogs.AddFileName(existing);
    dialogs.AddCancel();
    Click("EucButton");
    EXPECT_EQ(messages.Texts(MessageKind::Question), std::vector<std::string>{ReplaceFileQuestion(existing)});
    EXPECT_EQ(ReadBytes(existing), "data");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(probe.InputDone, 0);
    const std::string report = File("again.txt");
    dialogs.AddFileName(report);
    Click("EucStdButton");
    EXPECT_EQ(dialogs.Shown().size(), 3u);
    EXPECT_EQ(probe.InputDone, 1);
    EXPECT_EQ(Shared().DissimMatrix(2, 1), 2.0L);
}

TEST_F(TFCoordTest, ZeroDeviationGoesToErrorBoxAndClosesTheReport)
{
    Fill({"x"}, {{"A", "1"}});
    dialogs.AddFileName(File("one.txt"));
    Click("EucStdButton");
    const auto errors = messages.Texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("attribute 1 (x)"), std::string::npos) << errors[0];
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(probe.InputDone, 0);
    EXPECT_FALSE(window.TakeReport());
}

TEST_F(TFCoordTest, ClosingSetsInputDoneAndOnlyHides)
{
    window.close();
    EXPECT_EQ(probe.InputDone, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Grid().RowCount(), 4);
}

} // namespace
} // namespace vantrel
