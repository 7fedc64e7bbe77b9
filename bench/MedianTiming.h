#pragma once

// The median wall and CPU time of a few runs of one action. CPU time is
// shown beside wall time: a machine busy with other work inflates the latter.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
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

// The processor's model name, to print beside the figures: they mean
// little without it.
inline std::string ProcessorModel()
{
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);)
        if (line.starts_with("model name")) {
            const std::size_t value = line.find_first_not_of(" \t", line.find(':') + 1);
            return value == std::string::npos ? "unknown" : line.substr(value);
        }
    return "unknown";
}

} // namespace vantrel::bench
