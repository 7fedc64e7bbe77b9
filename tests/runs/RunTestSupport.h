#pragma once

// A main window with every seam scripted: file dialogs, print dialogs and
// message boxes answer from scripts, the printer draws on a recording
// canvas, and the application's quit is counted instead of performed.
#include "engine/AnalysisData.h"
#include "input/MatrixInputForm.h"
#include "input/TFCoord.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGridFiles.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/StringGrid.h"
#include "platform/core/TextFile.h"
#include "print/RecordingCanvas.h"
#include "runs/TFMain.h"
#include "runs/core/RunSession.h"
#include "support/AttributeTables.h"
#include "support/ScratchFiles.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vantrel::testing {

// The button of that object name in `window`.
inline QPushButton& ButtonOf(QWidget& window, const char* name)
{
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!button)
        throw std::runtime_error(std::string("no button ") + name);
    return *button;
}

// Puts a matrix data file's contents into a matrix window's two grids, as
// its load button would.
inline void FillMatrixWindow(QWidget& window, const std::string& dataFileContents)
{
    auto* labels = window.findChild<StringGrid*>(QStringLiteral("StringGrid2"));
    auto* matrix = window.findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    labels->ChangeStore([&](CellStore& labelCells) {
        matrix->ChangeStore([&](CellStore& matrixCells) {
            TextFileReader reader("typed.dat", dataFileContents);
            LoadMatrixDataFile(reader, labelCells, matrixCells);
        });
    });
}

// Types an attribute table: the attribute names and rows of {label, values...}.
inline void FillAttributeWindow(QWidget& window, const std::vector<std::string>& names,
                                const std::vector<std::vector<std::string>>& rows)
{
    auto* grid = window.findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    grid->ChangeStore([&](CellStore& cells) {
        cells = AttributeTableFromRows(rows, static_cast<int>(names.size()));
        for (std::size_t j = 0; j < names.size(); ++j)
            cells.SetCell(static_cast<int>(j) + 2, 1, names[j]);
    });
}

struct MainWindowFixture : ::testing::Test {
    QTemporaryDir dir;
    MessageRecorder messages;
    FileDialogScript dialogs;
    PrintDialogScript printDialogs;
    RecordingCanvas canvas;
    TFMain main;
    int quitRequests = 0;

    MainWindowFixture()
    {
        Session().ReportFile.reset();
        Session().InputDone = 0;
        Printer::Instance().SetTestCanvas(&canvas);
        main.SetQuitHandler([this] { ++quitRequests; });
        main.show();
    }
    ~MainWindowFixture() override
    {
        Printer::Instance().SetTestCanvas(nullptr);
        Session().ReportFile.reset();
    }

    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    QPushButton& Button(const char* name) { return ButtonOf(main, name); }

    // Presses a run button; `inWait` runs inside the run's wait for its
    // input window, which is the window just created for this run.
    void Press(const char* runButton, const std::function<void(QWidget& input)>& inWait)
    {
        QTimer::singleShot(0, &main, [this, runButton, inWait] {
            QWidget* input = InputWindowOf(runButton);
            ASSERT_NE(input, nullptr);
            inWait(*input);
        });
        Button(runButton).click();
    }

    QWidget* InputWindowOf(const std::string& runButton) const
    {
        if (runButton == "DistButton")
            return main.FDist();
        if (runButton == "SimButton")
            return main.FSim();
        return main.FCoord();
    }

    // A matrix run whose window is filled and confirmed with OK.
    void PressMatrixRun(const char* runButton, const std::string& dataFileContents)
    {
        Press(runButton, [dataFileContents](QWidget& input) {
            FillMatrixWindow(input, dataFileContents);
            ButtonOf(input, "CalcButton").click();
        });
    }

    // A run that stopped before its page: its report closed, no print
    // dialog, nothing drawn, the main window open for another run.
    void ExpectAbandonedBeforeThePage()
    {
        EXPECT_EQ(Session().ReportFile, nullptr);
        EXPECT_EQ(printDialogs.ShownCount(), 0);
        EXPECT_TRUE(canvas.Commands().empty());
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(quitRequests, 0);
    }

    std::vector<std::string> Errors() const { return messages.Texts(MessageKind::Error); }

    // A run that ended in the error box: no final message, no report left
    // open, the main window still there.
    void ExpectStoppedByError()
    {
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(Session().ReportFile, nullptr);
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(quitRequests, 0);
    }
    std::vector<std::string> Messages() const { return messages.Texts(MessageKind::Message); }
};

} // namespace vantrel::testing
