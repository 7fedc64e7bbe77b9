// Times writing the report of a 1000-object run: 500,500 values in the
// 7-digit general format, 10-byte fields, CR LF lines, to a file in /tmp.
// Values are random Euclidean-like distances with a spread of magnitudes so
// that both notations and the exact rounding path are exercised.
//
//   report_bench [runs]     (default 7; the median is shown)

#include "engine/AnalysisData.h"
#include "runs/core/ReportWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <time.h>
#include <vector>

int main(int argc, char** argv)
{
    using namespace vantrel;
    using Clock = std::chrono::steady_clock;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    constexpr int n = 1000;

    auto data = std::make_unique<AnalysisData>();
    data->ObjectCount = n;
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> magnitude(-6, 9);
    for (int i = 1; i <= n; ++i) {
        data->ObjectLabels[static_cast<std::size_t>(i)] = "obj" + std::to_string(i);
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) =
                static_cast<long double>(unit(random)) * std::pow(10.0L, magnitude(random));
    }

    const std::string path = "/tmp/vantrel-report-bench.txt";
    // CPU time beside wall time: a machine busy with other work inflates the latter.
    const auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    std::vector<double> seconds;
    std::vector<double> cpu;
    RunSession session;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const double cpuStart = cpuNow();
        OpenReportFile(session, path);
        WriteDissimilarityEcho(session, *data);
        CloseReportFile(session);
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        cpu.push_back(cpuNow() - cpuStart);
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf(
        "report, N = %d (500500 values): median %.3f s wall, %.3f s CPU, best %.3f s wall over %d runs "
        "(target 0.3 s)\n",
        n, seconds[seconds.size() / 2], cpu[cpu.size() / 2], seconds.front(), runs);
    std::remove(path.c_str());
    return 0;
}
