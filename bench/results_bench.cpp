// Times the results window for 1000 objects, offscreen: opening it on a
// run's tree, changing the cut (the number of clusters, the line), switching
// the method (clustering the input again), each with the window's repaint,
// and a scroll or zoom step with the tree's. Medians of several runs, wall and processor time.
//
//   results_bench [objects] [repeats]
#include "MedianTiming.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "results/ResultsWindow.h"
#include "results/TreeView.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QSpinBox>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace vantrel;
using bench::MedianTiming;
using bench::ProcessorModel;
using bench::Timing;

// `n` random points in five dimensions; their Euclidean distances.
void FillData(AnalysisData& data, int n)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> coordinate(0.0, 100.0);
    std::vector<std::array<double, 5>> points(static_cast<std::size_t>(n));
    for (auto& point : points)
        for (double& x : point)
            x = coordinate(random);
    data.ObjectCount = n;
    for (int i = 1; i <= n; ++i) {
        data.ObjectLabels[static_cast<std::size_t>(i)] = "obj" + std::to_string(i);
        for (int j = 1; j < i; ++j) {
            double sum = 0.0;
            for (int d = 0; d < 5; ++d) {
                const double step = points[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(d)] -
                                    points[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(d)];
                sum += step * step;
            }
            data.DissimMatrix(i, j) = std::sqrt(static_cast<long double>(sum));
        }
    }
}

std::unique_ptr<ResultsWindow> Open(AnalysisData& data)
{
    ResultsSession::Run run{&data,
                            RunKind::Dissimilarity,
                            Linkage::Complete,
                            ClusterForRun(data, RunKind::Dissimilarity, Linkage::Complete),
                            "/tmp/report.txt",
                            "12"};
    auto window = std::make_unique<ResultsWindow>(std::move(run));
    window->resize(1200, 800);
    window->show();
    // The window is exposed, laid out and painted once its events are
    // handled, as when it opens on screen.
    QCoreApplication::processEvents();
    return window;
}

void Report(const char* what, const Timing& timing, double targetSeconds)
{
    std::printf("  %-34s %8.2f ms wall %8.2f ms processor  (target %.0f ms)\n", what, timing.Wall * 1e3,
                timing.Cpu * 1e3, targetSeconds * 1e3);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    MessageRecorder messages;
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 7;
    AnalysisData& data = Shared();
    FillData(data, n);
    std::printf("results window, %d objects, median of %d runs, on %s\n", n, repeats,
                ProcessorModel().c_str());

    std::unique_ptr<ResultsWindow> window;
    Report("opening the window", MedianTiming(repeats, [&] { window = Open(data); }), 0.3);

    TreeView& tree = window->Tree();
    auto* count = window->findChild<QSpinBox*>(QStringLiteral("ClusterCount"));
    int k = 2;
    Report("number of clusters + repaint",
           MedianTiming(repeats,
                        [&] {
                            count->setValue(k = k % 20 + 2);
                            tree.viewport()->repaint();
                        }),
           0.05);
    long double level = 10.0L;
    Report("line placed + repaint",
           MedianTiming(repeats,
                        [&] {
                            level = level > 60.0L ? 10.0L : level + 7.0L;
                            // As a drag of the line tells the window.
                            emit tree.LinePlaced(level);
                            window->repaint();
                        }),
           0.05);

    // A method's first showing clusters the input again; every window opens
    // on complete linkage, so each run switches afresh. A method the engine
    // does not know is reported as such.
    for (const Linkage method : {Linkage::Single, Linkage::Average, Linkage::Ward, Linkage::Centroid,
                                 Linkage::Median, Linkage::Weighted}) {
        const std::string what = std::string("method -> ") + MethodKey(method) + " + repaint";
        std::vector<std::unique_ptr<ResultsWindow>> fresh;
        for (int r = 0; r < repeats; ++r)
            fresh.push_back(Open(data));
        int next = 0;
        try {
            Report(what.c_str(),
                   MedianTiming(repeats,
                                [&] {
                                    ResultsWindow& target = *fresh[static_cast<std::size_t>(next++)];
                                    target.SelectMethod(method);
                                    target.repaint();
                                }),
                   0.2);
        } catch (const Error& error) {
            std::printf("  %-34s %s\n", what.c_str(), error.what());
        }
    }

    QScrollBar* down = tree.verticalScrollBar();
    Report("scroll step + repaint",
           MedianTiming(repeats * 3,
                        [&] {
                            down->setValue(down->value() + down->pageStep());
                            tree.viewport()->repaint();
                        }),
           0.016);
    bool in = true;
    Report("zoom step + repaint",
           MedianTiming(repeats * 3,
                        [&] {
                            if (in)
                                tree.ZoomIn();
                            else
                                tree.ZoomOut();
                            in = !in;
                            tree.viewport()->repaint();
                        }),
           0.016);
    return messages.Texts(MessageKind::Error).empty() ? 0 : 1;
}
