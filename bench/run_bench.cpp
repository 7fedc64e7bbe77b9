// Times the three runs of the main window for 1000 objects, offscreen: from
// the input window's OK (or the attribute window's distance button) to the
// final message, which covers the conversion of the cells, the report, the
// clustering and the dendrogram written to a PDF file.
//
//   run_bench [objects] [repeats]
#include "engine/AnalysisData.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGridFiles.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/StringGrid.h"
#include "platform/core/TextFile.h"
#include "runs/TFMain.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vantrel;

struct DataSet {
    std::vector<std::vector<double>> Points;
    std::string DissimFile;
    std::string SimFile;
};

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

DataSet MakeDataSet(int n, int dimensions)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> coordinate(0.0, 100.0);
    DataSet set;
    set.Points.assign(n, std::vector<double>(dimensions));
    for (auto& point : set.Points)
        for (double& x : point)
            x = coordinate(random);
    std::string head = std::to_string(n) + "\r\n";
    for (int i = 1; i <= n; ++i)
        head += "obj" + std::to_string(i) + "\r\n";
    set.DissimFile = head;
    set.SimFile = head;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            double sum = 0.0;
            for (int d = 0; d < dimensions; ++d)
                sum += (set.Points[i][d] - set.Points[j][d]) * (set.Points[i][d] - set.Points[j][d]);
            const double distance = std::sqrt(sum);
            set.DissimFile += Number(distance) + "\r\n";
            set.SimFile += Number(1000.0 / (1.0 + distance)) + "\r\n";
        }
    return set;
}

void FillMatrix(QWidget& window, const std::string& contents)
{
    auto* labels = window.findChild<StringGrid*>(QStringLiteral("StringGrid2"));
    auto* matrix = window.findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    labels->ChangeStore([&](CellStore& labelCells) {
        matrix->ChangeStore([&](CellStore& matrixCells) {
            TextFileReader reader("bench.dat", contents);
            LoadMatrixDataFile(reader, labelCells, matrixCells);
        });
    });
}

void FillAttributes(QWidget& window, const std::vector<std::vector<double>>& points)
{
    auto* grid = window.findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    grid->ChangeStore([&](CellStore& cells) {
        const int dimensions = static_cast<int>(points.front().size());
        cells.Resize(dimensions + 2, static_cast<int>(points.size()) + 2);
        AttributeTable::NumberHeaders(cells);
        for (int d = 0; d < dimensions; ++d)
            cells.SetCell(d + 2, 1, "x" + std::to_string(d + 1));
        for (std::size_t i = 0; i < points.size(); ++i) {
            const int row = static_cast<int>(i) + 2;
            cells.SetCell(1, row, "obj" + std::to_string(i + 1));
            for (int d = 0; d < dimensions; ++d)
                cells.SetCell(d + 2, row, Number(points[i][d]));
        }
    });
}

enum class Kind { Dissimilarity, Similarity, Attribute };

// One run from a fresh main window; the seconds from OK to the final message.
double TimeRun(Kind kind, int method, const DataSet& set, const QTemporaryDir& dir, bool& completed)
{
    MessageRecorder messages;
    FileDialogScript dialogs;
    PrintDialogScript printDialogs;
    const std::string report = dir.filePath(QStringLiteral("report.txt")).toStdString();
    dialogs.AddFileName(report);
    messages.AddAnswer(true); // replace the report of the run before
    printDialogs.AddPrintToFile(dir.filePath(QStringLiteral("tree.pdf")).toStdString());

    TFMain main;
    main.SetQuitHandler([] {});
    main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"))->setCurrentIndex(method);
    main.show();

    QElapsedTimer timer;
    const char* runButton = kind == Kind::Dissimilarity ? "DistButton"
                            : kind == Kind::Similarity  ? "SimButton"
                                                        : "CoordButton";
    QTimer::singleShot(0, &main, [&] {
        QWidget* input = kind == Kind::Dissimilarity ? static_cast<QWidget*>(main.FDist())
                         : kind == Kind::Similarity  ? static_cast<QWidget*>(main.FSim())
                                                     : static_cast<QWidget*>(main.FCoord());
        if (kind == Kind::Attribute)
            FillAttributes(*input, set.Points);
        else
            FillMatrix(*input, kind == Kind::Similarity ? set.SimFile : set.DissimFile);
        timer.start();
        input
            ->findChild<QPushButton*>(kind == Kind::Attribute ? QStringLiteral("EucButton")
                                                              : QStringLiteral("CalcButton"))
            ->click();
    });
    main.findChild<QPushButton*>(QString::fromLatin1(runButton))->click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    Printer::Instance().SetOutputFileName({});

    const auto texts = messages.Texts(MessageKind::Message);
    const auto errors = messages.Texts(MessageKind::Error);
    completed = errors.empty() && texts.size() == 1 && texts[0].rfind("Calculation ended.", 0) == 0;
    if (!completed)
        std::fprintf(stderr, "run did not complete: %s\n",
                     !errors.empty() ? errors[0].c_str()
                     : texts.empty() ? "(no message)"
                                     : texts[0].c_str());
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vantrel::Application app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
    QTemporaryDir dir;
    const DataSet set = MakeDataSet(n, 5);

    const char* kindNames[] = {"dissimilarity", "similarity", "attribute"};
    const char* methodNames[] = {"complete", "average", "single"};
    std::printf("%d objects, median of %d runs, OK to final message (report, clustering, PDF page)\n", n,
                repeats);
    bool allCompleted = true;
    double worst = 0.0;
    for (int k = 0; k < 3; ++k)
        for (int method = 0; method < 3; ++method) {
            std::vector<double> times;
            for (int r = 0; r < repeats; ++r) {
                bool completed = false;
                times.push_back(TimeRun(static_cast<Kind>(k), method, set, dir, completed));
                allCompleted = allCompleted && completed;
            }
            std::sort(times.begin(), times.end());
            const double median = times[times.size() / 2];
            worst = std::max(worst, median);
            std::printf("  %-14s %-9s %7.3f s\n", kindNames[k], methodNames[method], median);
        }
    std::printf("slowest median %.3f s (target 1.5 s)\n", worst);
    return allCompleted ? 0 : 1;
}
