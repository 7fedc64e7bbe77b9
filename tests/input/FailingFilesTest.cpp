// The input windows' file buttons against files that fail: each failure is
// one error box naming the file and the reason, the window stays usable, the
// grids stay as they were and a failed save keeps the file it would replace.

#include "input/TFCoord.h"
#include "input/TFDist.h"
#include "support/InputDoneProbe.h"
#include "support/WindowCells.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeTable.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"
#include "platform/core/TextFile.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vantrel::testing {
namespace {

using Texts = std::vector<std::string>;

struct FailingFilesTest : ::testing::Test {
    ScratchDir dir;
    FileDialogScript dialogs;
    MessageRecorder messages;
    TFDist matrix;
    TFCoord attributes;
    InputDoneProbe attributesDone{attributes};

    FailingFilesTest()
    {
        WriteBytes(dir.File("plain"), "a file, not a folder");
        std::filesystem::create_directory(dir.File("folder.csv"));
        StringGrid& labels = *matrix.findChild<StringGrid*>("StringGrid2");
        StringGrid& values = *matrix.findChild<StringGrid*>("StringGrid1");
        MatrixGrids grids({"A", "B"}, {"1"});
        labels.ChangeStore([&](CellStore& store) { store = grids.Labels; });
        values.ChangeStore([&](CellStore& store) { store = grids.Matrix; });
        StringGrid& table = *attributes.findChild<StringGrid*>("StringGrid1");
        table.ChangeStore([](CellStore& cells) {
            AttributeTable::Initialize(cells);
            cells.SetCell(1, 2, "A");
            cells.SetCell(2, 2, "1");
        });
        matrix.show();
        attributes.show();
    }

    static void Click(QWidget& window, const char* button)
    {
        window.findChild<QPushButton*>(button)->click();
    }

    // Clicks `button` of `window` with `fileName` chosen in the dialog;
    // expects one error naming the file and `reason` (none when empty) and
    // the grids unchanged.
    void ExpectFailure(QWidget& window, const char* button, const std::string& fileName,
                       const std::string& reason)
    {
        SCOPED_TRACE(std::string(button) + " " + fileName);
        const Texts before = AllCells(window);
        messages.Clear();
        dialogs.AddFileName(fileName);
        Click(window, button);
        const Texts errors = messages.Texts(MessageKind::Error);
        EXPECT_TRUE(messages.Texts(MessageKind::Message).empty());
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(fileName), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find(reason), std::string::npos) << errors[0];
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(AllCells(window), before);
    }
};

struct Button {
    QWidget* window;
    const char* name;
};

TEST_F(FailingFilesTest, FailedSavesKeepTheFileTheyWouldReplace)
{
    const std::vector<Button> saves = {{&matrix, "SaveButton"},
                                       {&matrix, "WRCSVButton"},
                                       {&attributes, "SaveButton"},
                                       {&attributes, "WRCSVButton"}};
    const std::string old = "old bytes\r\n";
    for (const Button& save : saves) {
        ExpectFailure(*save.window, save.name, dir.File("folder.csv"), "Is a directory");
        ExpectFailure(*save.window, save.name, dir.File("plain/x.csv"), "Not a directory");
        for (std::size_t limit : {0, 5}) {
            WriteBytes(dir.File("old.csv"), old);
            messages.AddAnswer(true); // replace it
            TextFileWriter::LimitBytesForTesting(limit);
            ExpectFailure(*save.window, save.name, dir.File("old.csv"), "No space left on device");
            TextFileWriter::LimitBytesForTesting(std::nullopt);
            EXPECT_EQ(ReadBytes(dir.File("old.csv")), old);
        }
    }
    // Nothing was left beside the files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                            std::filesystem::directory_iterator()),
              3);
    // The windows still save.
    for (const Button& save : saves) {
        dialogs.AddFileName(dir.File("old.csv"));
        messages.AddAnswer(true);
        Click(*save.window, save.name);
        EXPECT_NE(ReadBytes(dir.File("old.csv")), old);
        WriteBytes(dir.File("old.csv"), old);
    }
}

TEST_F(FailingFilesTest, LoadsOfMissingFoldersAndBadFilesAreRefusedUntouched)
{
    const std::vector<Button> loads = {{&matrix, "LoadButton"},
                                       {&matrix, "RDCSVButton"},
                                       {&attributes, "LoadButton"},
                                       {&attributes, "RDCSVButton"}};
    for (const Button& load : loads) {
        // A name that vanished between the dialog and the open.
        ExpectFailure(*load.window, load.name, dir.File("vanished.dat"), "No such file or directory");
        ExpectFailure(*load.window, load.name, dir.File("folder.csv"), "Is a directory");
        ExpectFailure(*load.window, load.name, dir.File("plain/x.dat"), "Not a directory");
    }

    std::string tooMany = "1001\r\n";
    std::string tooManyCsv;
    for (int i = 0; i < 1001; ++i)
        tooManyCsv += ",x";
    const struct {
        Button load;
        std::string contents;
        const char* reason;
    } cases[] = {
        {{&matrix, "LoadButton"}, tooMany, "Too many objects"},
        {{&matrix, "LoadButton"}, "2147483648\r\n", "number of objects"},
        {{&matrix, "LoadButton"}, "99999999999\r\nA\r\n", "number of objects"},
        {{&matrix, "RDCSVButton"}, tooManyCsv + "\r\n", "Too many objects"},
        // A quote left open runs to the end of its line.
        {{&matrix, "RDCSVButton"}, ",A,\"B\r\nA\r\n\"B,1\r\n", "line 3"},
        {{&attributes, "LoadButton"}, "", "at least 2 rows"},
        {{&attributes, "LoadButton"}, "-5\r\n3\r\n", "at least 2 rows"},
        {{&attributes, "LoadButton"}, "0\r\n3\r\n", "at least 2 rows"},
        {{&attributes, "LoadButton"}, "1\r\n3\r\n", "at least 2 rows"},
        {{&attributes, "LoadButton"}, "3\r\n-5\r\n", "at least 2 rows"},
        {{&attributes, "LoadButton"}, "99999999999\r\n3\r\n", "line 1"},
        {{&attributes, "LoadButton"}, "2147483648\r\n3\r\n", "line 1"},
        {{&attributes, "LoadButton"}, "3\r\n2147483648\r\n", "line 2"},
        {{&attributes, "LoadButton"}, "2147483647\r\n3\r\n", "objects"},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.File("bad.dat"), c.contents);
        ExpectFailure(*c.load.window, c.load.name, dir.File("bad.dat"), c.reason);
    }
}

// Loads `contents` through `button`, then saves through the same kind of
// file; returns the saved bytes.
std::string LoadAndSaveBack(FailingFilesTest& test, QWidget& window, const char* load, const char* save,
                            const std::string& contents)
{
    WriteBytes(test.dir.File("in.dat"), contents);
    test.dialogs.AddFileName(test.dir.File("in.dat"));
    FailingFilesTest::Click(window, load);
    // A new file each time: replacing one would ask first.
    std::filesystem::remove(test.dir.File("out.csv"));
    test.dialogs.AddFileName(test.dir.File("out.csv"));
    FailingFilesTest::Click(window, save);
    EXPECT_TRUE(test.messages.Messages().empty());
    return ReadBytes(test.dir.File("out.csv"));
}

TEST_F(FailingFilesTest, OddBytesAndHugeLinesAreKeptByteForByte)
{
    // Lead bytes without a valid trail, a lone trail byte, a lead byte
    // ending the line, and bytes no character uses.
    const std::string odd = "\x81\x20x\x80\xa0\xfd\xfe\xff\x82";
    // Without the blank, which the export would quote.
    const std::string oddCsv = "\x81\x7fx\x80\xa0\xfd\xfe\xff\x82";
    const std::string huge(3 << 20, 'h');
    const Texts dataFiles = {
        "2\r\n" + odd + "\r\nB\r\n" + odd + "\r\n",
        "2\r\n" + huge + "\r\nB\r\n1" + huge + "\r\n",
        "",
    };
    for (const std::string& contents : dataFiles)
        EXPECT_EQ(LoadAndSaveBack(*this, matrix, "LoadButton", "SaveButton", contents),
                  contents.empty() ? "0\r\n" : contents);

    const Texts csvFiles = {",A," + oddCsv + "\r\nA\r\n" + oddCsv + ",1\r\n",
                            ",A," + huge + "\r\nA\r\n" + huge + ",1" + huge + "\r\n"};
    for (const std::string& contents : csvFiles)
        EXPECT_EQ(LoadAndSaveBack(*this, matrix, "RDCSVButton", "WRCSVButton", contents), contents);

    const Texts attributeFiles = {"3\r\n3\r\n\r\n" + odd + "\r\n" + odd + "\r\n1\r\n",
                                  "3\r\n3\r\n\r\n" + huge + "\r\n" + huge + "\r\n1\r\n"};
    for (const std::string& contents : attributeFiles)
        EXPECT_EQ(LoadAndSaveBack(*this, attributes, "LoadButton", "SaveButton", contents), contents);

    // The grid shows what it cannot decode as replacement characters.
    const std::string shown = "2\r\n" + odd + "\r\nB\r\n1\r\n";
    LoadAndSaveBack(*this, matrix, "LoadButton", "SaveButton", shown);
    StringGrid& labels = *matrix.findChild<StringGrid*>("StringGrid2");
    const QString text = labels.model()->data(labels.model()->index(1, 1)).toString();
    EXPECT_TRUE(text.contains(QChar(0xfffd))) << text.toStdString();
    EXPECT_TRUE(text.contains('x')) << text.toStdString();
}

TEST_F(FailingFilesTest, EmptyFilesLoadAsEmptyTables)
{
    WriteBytes(dir.File("empty"), "");
    for (const char* load : {"LoadButton", "RDCSVButton"}) {
        dialogs.AddFileName(dir.File("empty"));
        Click(matrix, load);
        EXPECT_EQ(matrix.findChild<StringGrid*>("StringGrid2")->RowCount(), 1) << load;
        EXPECT_EQ(matrix.findChild<StringGrid*>("StringGrid1")->RowCount(), 1) << load;
    }
    // An empty CSV is one object without a label or attributes.
    dialogs.AddFileName(dir.File("empty"));
    Click(attributes, "RDCSVButton");
    const StringGrid& table = *attributes.findChild<StringGrid*>("StringGrid1");
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.ColCount(), 2);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(FailingFilesTest, DistanceReportThatCannotBeCreatedKeepsTheWindowWaiting)
{
    attributes.findChild<StringGrid*>("StringGrid1")->ChangeStore([](CellStore& cells) {
        cells.SetRowCount(4);
        cells.SetCell(0, 3, AttributeTable::ObjectHeader(2));
        cells.SetCell(1, 3, "B");
        cells.SetCell(2, 3, "3");
    });
    for (const char* button : {"EucButton", "EucStdButton"}) {
        ExpectFailure(attributes, button, dir.File("plain/r.txt"), "Not a directory");
        ExpectFailure(attributes, button, dir.File("folder.csv"), "Is a directory");
    }
    EXPECT_EQ(attributesDone.InputDone, 0);
    EXPECT_EQ(attributes.TakeReport(), nullptr);
}

TEST_F(FailingFilesTest, MatrixFileOfAThousandObjectsLoads)
{
    std::string contents = "1000\r\n";
    for (int i = 1; i <= 1000; ++i)
        contents += "L" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 1000 * 999 / 2; ++i)
        contents += "1\r\n";
    EXPECT_EQ(LoadAndSaveBack(*this, matrix, "LoadButton", "SaveButton", contents), contents);
    EXPECT_EQ(matrix.findChild<StringGrid*>("StringGrid2")->Cell(1, 1000), "L1000");
}

} // namespace
} // namespace vantrel::testing
