// Times the matrix input window at its size limit: a 1000-object matrix data
// file and the same data as CSV loaded into TFDist, OK converting the
// 499,500 cells, and repainting the 1001 x 1001 grid after scrolling.
// Targets: load <= 1 s, OK <= 0.5 s for either format; repaints well under a
// frame (16 ms). Runs offscreen; prints the median of several runs.
#include "engine/AnalysisData.h"
#include "input/TFDist.h"
#include "input/core/MatrixCsv.h"
#include "input/core/MatrixGridFiles.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"

#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace vantrel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Objects = 1000;
constexpr int Runs = 3;

double Seconds(const std::function<void()>& action)
{
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteDataFile(const std::string& fileName)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> value(0.0, 100.0);
    std::string text = std::to_string(Objects) + "\r\n";
    for (int i = 1; i <= Objects; ++i)
        text += "object" + std::to_string(i) + "\r\n";
    char buffer[32];
    for (int i = 2; i <= Objects; ++i)
        for (int j = 1; j < i; ++j) {
            std::snprintf(buffer, sizeof buffer, "%.6f\r\n", value(random));
            text += buffer;
        }
    testing::WriteBytes(fileName, text);
}

// Loads `fileName` with `button` into a fresh window, then presses OK.
void TimeLoadAndOk(const char* title, const char* button, const std::string& fileName)
{
    std::vector<double> loads, oks;
    for (int run = 0; run < Runs; ++run) {
        MessageRecorder messages;
        FileDialogScript dialogs;
        dialogs.AddFileName(fileName);
        TFDist form;
        bool closed = false;
        QObject::connect(&form, &InputWindow::Closed, [&closed] { closed = true; });
        form.show();
        auto* load = form.findChild<QPushButton*>(button);
        auto* ok = form.findChild<QPushButton*>("CalcButton");
        loads.push_back(Seconds([&] { load->click(); }));
        oks.push_back(Seconds([&] { ok->click(); }));
        if (!messages.Messages().empty() || Shared().ObjectCount != Objects || !closed) {
            std::printf("%s: the load or OK failed\n", title);
            return;
        }
    }
    std::printf("%-22s load %7.3f s   OK %7.3f s   (pair (1000, 999) = %.6Lf)\n", title, Median(loads),
                Median(oks), Shared().DissimMatrix(Objects, Objects - 1));
}

void TimeScrolling(const std::string& fileName)
{
    FileDialogScript dialogs;
    dialogs.AddFileName(fileName);
    TFDist form;
    form.show();
    form.findChild<QPushButton*>("LoadButton")->click();
    auto* grid = form.findChild<StringGrid*>("StringGrid1");
    std::vector<double> cells, whole;
    for (int step = 0; step <= 20; ++step) {
        const double fraction = step / 20.0;
        grid->verticalScrollBar()->setValue(
            static_cast<int>(grid->verticalScrollBar()->maximum() * fraction));
        grid->horizontalScrollBar()->setValue(
            static_cast<int>(grid->horizontalScrollBar()->maximum() * (1.0 - fraction)));
        // grab() renders into a pixmap: the viewport draws every visible
        // cell; the whole grid adds the fixed row and column kept in view
        // and the scroll bars.
        cells.push_back(Seconds([&] { (void)grid->viewport()->grab(); }));
        whole.push_back(Seconds([&] { (void)grid->grab(); }));
    }
    const auto print = [](const char* what, const std::vector<double>& times) {
        std::printf("%-22s median %6.2f ms   worst %6.2f ms over %zu positions\n", what, Median(times) * 1000,
                    *std::max_element(times.begin(), times.end()) * 1000, times.size());
    };
    print("grid repaint (cells)", cells);
    print("grid repaint (whole)", whole);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    testing::ScratchDir dir;
    const std::string dataFile = dir.File("matrix1000.dat");
    const std::string csvFile = dir.File("matrix1000.csv");
    WriteDataFile(dataFile);
    {
        CellStore labels, matrix;
        FileDialogScript dialogs;
        dialogs.AddFileName(dataFile);
        TFDist form;
        form.show();
        // The first load of the process: every page of the grids' memory is
        // new, as when a user opens the program and loads the file.
        const double first = Seconds([&] { form.findChild<QPushButton*>("LoadButton")->click(); });
        std::printf("first load in a fresh window of a fresh process: %.3f s (target 0.3 s)\n", first);
        ExportMatrixCsv(csvFile, form.findChild<StringGrid*>("StringGrid2")->Store(),
                        form.findChild<StringGrid*>("StringGrid1")->Store());
    }
    std::printf("matrix window, %d objects, median of %d runs\n", Objects, Runs);
    TimeLoadAndOk("matrix data file", "LoadButton", dataFile);
    TimeLoadAndOk("matrix CSV file", "RDCSVButton", csvFile);
    TimeScrolling(dataFile);
    return 0;
}
