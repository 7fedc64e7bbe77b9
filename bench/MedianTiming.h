#pragma once

// The median wall and CPU time of a few runs of one action. CPU time is
// shown beside wall time: a machine busy with other work inflates the latter.
#include <algorithm>
#include <chrono>
#include <time.h>
#include <vector>

namespace vantrel::bench {

inline double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
    double Wall;
    double Cpu;
};

template <class Action>
Timing MedianTiming(int runs, Action action)
{
    std::vector<double> wall, cpu;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        action();
        wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(CpuSeconds() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace vantrel::bench
