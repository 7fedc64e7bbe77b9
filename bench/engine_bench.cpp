// Times the merge steps: every method on dissimilarities and every method
// that takes them on similarities, at N = 1000 on Euclidean distances
// between random points (and the similarities max - d), or on the matrix
// data file FILE (its values as dissimilarities, max - d as similarities);
// then the worst cases the engine knows of against that random data; then
// the literal pair-list procedure against the engine at N = 200, checking
// that both build the same tree.
//
//   engine_bench [--no-worst-cases] [--only METHOD] [FILE] [runs [literalN]]
//
// --only times one method (its command-line key, e.g. ward) and no other.
// runs: per step, default 7, the median is shown; literalN: size of the
// comparison with the literal procedure, default 200, 0 skips it.
// bench/engine_vs_fastcluster.sh runs it on a file beside fastcluster.

#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"
#include "engine/EngineTestSupport.h"
#include "engine/LiteralOracle.h"
#include "engine/WorstCases.h"
#include "input/core/CellNumber.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

// The similarities of the benchmark: the largest dissimilarity minus each
// one, so that the most similar pair is the closest.
void SimilaritiesFromDissimilarities(AnalysisData& data)
{
    const int n = data.ObjectCount;
    long double largest = 0.0L;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            largest = std::max(largest, data.DissimMatrix(i, j));
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            data.SimMatrix(i, j) = largest - data.DissimMatrix(i, j);
    ComputeSimilarityLevels(data);
}

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
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            long double sum = 0.0L;
            for (int k = 0; k < dimensions; ++k) {
                const long double delta = points[i][k] - points[j][k];
                sum += delta * delta;
            }
            data->DissimMatrix(i, j) = std::sqrt(sum);
        }
    SimilaritiesFromDissimilarities(*data);
    return data;
}

// The one place that knows the matrix data file: line 1 the object count N,
// then N label lines, then the N(N-1)/2 values of the lower triangle row by
// row, CR LF line ends; values as the input window reads them.
std::unique_ptr<AnalysisData> LoadMatrixFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + fileName);
    std::string line;
    auto next = [&]() -> const std::string& {
        if (!std::getline(in, line))
            throw std::runtime_error(fileName + ": the file ends early");
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    };
    auto data = std::make_unique<AnalysisData>();
    const int n = std::stoi(next());
    if (n < 2 || n > AnalysisData::Capacity)
        throw std::runtime_error(fileName + ": bad object count");
    data->ObjectCount = n;
    for (int i = 1; i <= n; ++i)
        data->ObjectLabels[i] = next();
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            const auto value = ParseCellNumber(next());
            if (!value)
                throw std::runtime_error(fileName + ": not a number: " + line);
            data->DissimMatrix(i, j) = *value;
        }
    SimilaritiesFromDissimilarities(*data);
    return data;
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Processor time of this (single-threaded) program: on a shared machine it
// is steadier than the wall clock, which also counts the time other programs
// hold the processor.
double ProcessorMilliseconds() { return 1e3 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

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
    {"ward,     dissimilarities", false, Linkage::Ward},
    {"centroid, dissimilarities", false, Linkage::Centroid},
    {"median,   dissimilarities", false, Linkage::Median},
    {"weighted, dissimilarities", false, Linkage::Weighted},
    {"complete, similarities   ", true, Linkage::Complete},
    {"average,  similarities   ", true, Linkage::Average},
    {"single,   similarities   ", true, Linkage::Single},
    {"weighted, similarities   ", true, Linkage::Weighted},
};

ClusterTree RunEngine(const AnalysisData& data, const Step& step)
{
    return step.Similarities ? MergeSimilarities(data, step.Method) : MergeDissimilarities(data, step.Method);
}

bool IsCount(const char* text)
{
    char* end = nullptr;
    std::strtol(text, &end, 10);
    return *text != '\0' && *end == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    bool worstCases = true;
    if (arg < argc && std::string(argv[arg]) == "--no-worst-cases") {
        worstCases = false;
        ++arg;
    }
    std::string only;
    if (arg + 1 < argc && std::string(argv[arg]) == "--only") {
        only = argv[arg + 1];
        arg += 2;
    }
    auto skip = [&](const Step& step) { return !only.empty() && only != MethodKey(step.Method); };
    std::string fileName;
    if (arg < argc && !IsCount(argv[arg]))
        fileName = argv[arg++];
    const int runs = arg < argc ? std::max(1, std::atoi(argv[arg++])) : 7;
    const int literalN = arg < argc ? std::atoi(argv[arg++]) : 200;

    std::unique_ptr<AnalysisData> large;
    try {
        large = fileName.empty() ? EuclideanData(1000, 1) : LoadMatrixFile(fileName);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "engine_bench: %s\n", error.what());
        return 2;
    }
    std::printf("Engine, N = %d%s%s, median of %d runs\n", large->ObjectCount, fileName.empty() ? "" : ", ",
                fileName.c_str(), runs);
    // Worst cases are compared in processor time, which on a shared machine
    // is steadier than the wall clock.
    double randomProcessor[std::size(Steps)];
    for (std::size_t s = 0; s < std::size(Steps); ++s) {
        const Step& step = Steps[s];
        if (skip(step))
            continue;
        std::size_t nodes = 0;
        const Timing ms = MedianMilliseconds(runs, [&] { nodes = RunEngine(*large, step).Size(); });
        randomProcessor[s] = ms.Processor;
        std::printf("  %s  %8.2f ms wall  %8.2f ms processor  (%zu nodes)\n", step.Name, ms.Wall,
                    ms.Processor, nodes);
    }

    if (worstCases) {
        // Against the data above: the limit is 5 times its time, at the same N.
        const int n = large->ObjectCount;
        std::printf("Worst cases, N = %d: time, and processor time over that of the data above\n", n);
        double worstRatio = 0.0;
        for (const testing::WorstCase& shape : testing::WorstCases()) {
            auto data = std::make_unique<AnalysisData>();
            data->ObjectCount = n;
            testing::FillWorstCase(*data, shape.Shape);
            for (std::size_t s = 0; s < std::size(Steps); ++s) {
                const Step& step = Steps[s];
                if (skip(step))
                    continue;
                const Timing ms = MedianMilliseconds(runs, [&] { RunEngine(*data, step); });
                const double ratio = ms.Processor / randomProcessor[s];
                worstRatio = std::max(worstRatio, ratio);
                std::printf("  %-22s %s  %8.2f ms wall  %8.2f ms processor  %6.2f x\n", shape.Name, step.Name,
                            ms.Wall, ms.Processor, ratio);
            }
        }
        std::printf("  largest ratio %.2f (limit 5)\n", worstRatio);
    }

    if (literalN < 2)
        return 0;
    const auto small = EuclideanData(literalN, 2);
    std::printf("Literal procedure against the engine, N = %d\n", literalN);
    int mismatches = 0;
    for (const Step& step : Steps) {
        if (skip(step))
            continue;
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
