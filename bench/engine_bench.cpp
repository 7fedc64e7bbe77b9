// Times the merge steps: all six at N = 1000 on Euclidean distances between
// random points (and the similarities max - d), then the literal pair-list
// procedure against the engine at N = 200, checking that both build the
// same tree.
//
//   engine_bench [runs [literalN]]
//
// runs: per step, default 7, the median is shown; literalN: size of the
// comparison with the literal procedure, default 200, 0 skips it.

#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"
#include "engine/EngineTestSupport.h"
#include "engine/LiteralOracle.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

std::unique_ptr<AnalysisData> EuclideanData(int n, std::uint64_t seed)
{
    constexpr int dimensions = 5;
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::array<long double, dimensions>> points(n + 1);
    for (auto& point : points)
        for (auto& coordinate : point)
            coordinate = unit(random);

    auto data = std::make_unique<AnalysisData>();
    data->ObjectCount = n;
    long double largest = 0.0L;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            long double sum = 0.0L;
            for (int k = 0; k < dimensions; ++k) {
                const long double delta = points[i][k] - points[j][k];
                sum += delta * delta;
            }
            data->DissimMatrix(i, j) = std::sqrt(sum);
            largest = std::max(largest, data->DissimMatrix(i, j));
        }
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            data->SimMatrix(i, j) = largest - data->DissimMatrix(i, j);
    ComputeSimilarityLevels(*data);
    return data;
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Processor time of this (single-threaded) program: on a shared machine it
// is steadier than the wall clock, which also counts the time other programs
// hold the processor.
double ProcessorMilliseconds()
{
    return 1e3 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Timing {
    double Wall;
    double Processor;
};

template <class Work>
Timing MedianMilliseconds(int runs, Work work)
{
    std::vector<double> wall;
    std::vector<double> processor;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const double startProcessor = ProcessorMilliseconds();
        work();
        processor.push_back(ProcessorMilliseconds() - startProcessor);
        wall.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    return {wall[wall.size() / 2], processor[processor.size() / 2]};
}

struct Step {
    const char* Name;
    bool Similarities;
    Linkage Method;
};

constexpr Step Steps[] = {
    {"complete, dissimilarities", false, Linkage::Complete},
    {"average,  dissimilarities", false, Linkage::Average},
    {"single,   dissimilarities", false, Linkage::Single},
    {"complete, similarities   ", true, Linkage::Complete},
    {"average,  similarities   ", true, Linkage::Average},
    {"single,   similarities   ", true, Linkage::Single},
};

ClusterTree RunEngine(const AnalysisData& data, const Step& step)
{
    return step.Similarities ? MergeSimilarities(data, step.Method) : MergeDissimilarities(data, step.Method);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int literalN = argc > 2 ? std::atoi(argv[2]) : 200;

    const auto large = EuclideanData(1000, 1);
    std::printf("Engine, N = 1000, median of %d runs\n", runs);
    for (const Step& step : Steps) {
        std::size_t nodes = 0;
        const Timing ms = MedianMilliseconds(runs, [&] { nodes = RunEngine(*large, step).Size(); });
        std::printf("  %s  %8.2f ms wall  %8.2f ms processor  (%zu nodes)\n", step.Name, ms.Wall,
                    ms.Processor, nodes);
    }

    if (literalN < 2)
        return 0;
    const auto small = EuclideanData(literalN, 2);
    std::printf("Literal procedure against the engine, N = %d\n", literalN);
    int mismatches = 0;
    for (const Step& step : Steps) {
        std::vector<OracleNode> expected;
        const auto start = Clock::now();
        expected = step.Similarities ? LiteralMergeSimilarities(*small, step.Method)
                                     : LiteralMergeDissimilarities(*small, step.Method);
        const double literalMs = Milliseconds(Clock::now() - start);
        const double engineMs = MedianMilliseconds(runs, [&] { RunEngine(*small, step); }).Wall;
        const std::string difference =
            testing::Difference(RunEngine(*small, step), expected, step.Method == Linkage::Average);
        if (!difference.empty())
            ++mismatches;
        std::printf("  %s  literal %9.1f ms  engine %7.3f ms  ratio %8.0f  %s\n", step.Name, literalMs,
                    engineMs, literalMs / engineMs, difference.empty() ? "same tree" : difference.c_str());
    }
    return mismatches == 0 ? 0 : 1;
}
