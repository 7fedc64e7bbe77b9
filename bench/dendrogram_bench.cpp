// Times drawing the dendrogram page of a 1000-object tree to a PDF, the way
// vantrel-batch --dendrogram and the printer without a system printer do:
// a single-linkage tree of random Euclidean distances (chain-shaped, the
// deepest case) and a complete-linkage one, font size 12.
//
//   dendrogram_bench [runs]     (default 5; the median is shown)

#include "MedianTiming.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"
#include "platform/gui/PageFile.h"
#include "print/Dendrogram.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using namespace vantrel;

void FillEuclidean(AnalysisData& data, int n)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::array<long double, 3>> points(static_cast<std::size_t>(n) + 1);
    for (auto& point : points)
        for (auto& c : point)
            c = unit(random);
    data.ObjectCount = n;
    for (int i = 1; i <= n; ++i) {
        data.ObjectLabels[static_cast<std::size_t>(i)] = "obj" + std::to_string(i);
        for (int j = 1; j < i; ++j) {
            long double sum = 0;
            for (int k = 0; k < 3; ++k) {
                const long double d = points[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)] -
                                      points[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)];
                sum += d * d;
            }
            data.DissimMatrix(i, j) = std::sqrt(sum);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    constexpr int n = 1000;

    auto data = std::make_unique<AnalysisData>();
    FillEuclidean(*data, n);
    const std::string path = "/tmp/vantrel-dendrogram-bench.pdf";
    for (Linkage linkage : {Linkage::Single, Linkage::Complete}) {
        ClusterTree tree = MergeDissimilarities(*data, linkage);
        const bench::Timing timing = bench::MedianTiming(runs, [&] {
            PageFileCanvas canvas(path);
            PrintDendrogram(*data, tree, static_cast<std::uint8_t>(linkage), "12", canvas);
        });
        std::printf("dendrogram page to PDF, N = %d, %s linkage: median %.3f s wall, %.3f s CPU over %d runs "
                    "(target 0.5 s)\n",
                    n, linkage == Linkage::Single ? "single" : "complete", timing.Wall, timing.Cpu, runs);
    }
    std::remove(path.c_str());
    return 0;
}
