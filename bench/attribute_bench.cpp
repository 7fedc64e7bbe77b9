// Times the attribute window's heaviest path on the largest table it takes:
// 1000 objects by 200 attributes read from an attribute data file into the
// cell store, then the standardized press (read the cells, standardize,
// write both echoes to a report, compute 499,500 distances).
//   attribute_bench [RUNS=5] [SEED=1]
// Target: load plus standardized distances within 1 s.
#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeGridFiles.h"
#include "input/core/AttributePress.h"
#include "input/core/AttributeTable.h"
#include "platform/core/CellStore.h"
#include "platform/core/TextFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

void WriteTableFile(const std::string& path, int objects, int attributes, unsigned seed)
{
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(-500.0, 500.0);
    vantrel::TextFileWriter out(path);
    out.WriteLine(std::to_string(objects + 2));
    out.WriteLine(std::to_string(attributes + 2));
    out.WriteLine("");
    for (int j = 1; j <= attributes; ++j)
        out.WriteLine("attr" + std::to_string(j));
    char text[64];
    for (int i = 1; i <= objects; ++i) {
        out.WriteLine("object" + std::to_string(i));
        for (int j = 1; j <= attributes; ++j) {
            const int length = std::snprintf(text, sizeof text, "%.6f", value(random));
            out.WriteLine(std::string_view(text, static_cast<std::size_t>(length)));
        }
    }
    out.Close();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const int objects = vantrel::MaxObjects;
    const int attributes = vantrel::MaxAttributes;
    try {
        const auto directory =
            std::filesystem::temp_directory_path() / ("vantrel_attribute_bench_" + std::to_string(seed));
        std::filesystem::create_directories(directory);
        const std::string table = (directory / "table.dat").string();
        const std::string report = (directory / "report.txt").string();
        WriteTableFile(table, objects, attributes, seed);
        std::printf("table: %d objects x %d attributes, %ju bytes\n", objects, attributes,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(table)));

        auto data = std::make_unique<vantrel::AnalysisData>();
        auto values = std::make_unique<vantrel::AttributeData>();
        std::vector<double> loads, presses, totals, cpus, bare;
        std::unique_ptr<vantrel::TextFileWriter> opened;
        for (int run = 0; run < runs; ++run) {
            // The computation alone, as vantrel-batch runs it without a report.
            {
                vantrel::CellStore cells;
                const auto start = Clock::now();
                vantrel::LoadAttributeDataFile(table, cells);
                vantrel::PressAttributeDistance(vantrel::AttributeTable::TextsOf(cells),
                                                vantrel::AttributeDistanceKind::Standardized, *data, *values,
                                                nullptr, opened);
                bare.push_back(Seconds(start, Clock::now()));
            }
            const std::clock_t cpuStart = std::clock();
            vantrel::CellStore cells;
            vantrel::AttributeTable::Initialize(cells);
            const auto start = Clock::now();
            vantrel::LoadAttributeDataFile(table, cells);
            const auto loaded = Clock::now();
            vantrel::PressAttributeDistance(
                vantrel::AttributeTable::TextsOf(cells), vantrel::AttributeDistanceKind::Standardized, *data,
                *values, [&] { return std::optional(report); }, opened);
            opened->Close();
            const auto done = Clock::now();
            loads.push_back(Seconds(start, loaded));
            presses.push_back(Seconds(loaded, done));
            totals.push_back(Seconds(start, done));
            cpus.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        }
        std::printf("median of %d runs, with the report as the window writes it:\n"
                    "  load %.3f s, standardized press %.3f s, total %.3f s wall, %.3f s CPU "
                    "(target <= 1 s)\n"
                    "  load and standardized distances without a report: %.3f s wall\n",
                    runs, Median(loads), Median(presses), Median(totals), Median(cpus), Median(bare));
        std::printf("check: d(2,1) = %.12Lg\n", data->DissimMatrix(2, 1));
        std::filesystem::remove_all(directory);
        return Median(totals) <= 1.0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "attribute_bench: %s\n", error.what());
        return 2;
    }
}
