#include "checks/FuzzChecks.h"

#include "MatrixTestGrids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vantrel {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

// Every input the fuzzers found a fault with, and every seed of their
// corpus, goes through the same property check as in the fuzz target.
struct Target {
    const char* name;
    std::function<std::string(const std::string& bytes, const std::string& scratchFile)> check;
};

const Target Targets[] = {
    {"cell_number",
     [](const std::string& bytes, const std::string&) { return fuzz::CheckCellNumber(bytes); }},
    {"csv_line", [](const std::string& bytes, const std::string&) { return fuzz::CheckCsvLine(bytes); }},
    {"matrix_data_file", fuzz::CheckMatrixDataFile},
    {"matrix_csv", fuzz::CheckMatrixCsv},
    {"attribute_csv", fuzz::CheckAttributeCsv},
    {"attribute_data_file", fuzz::CheckAttributeDataFile},
};

TEST(FuzzRegressionTest, SavedInputsKeepTheirProperties)
{
    namespace fs = std::filesystem;
    const fs::path source = VANTREL_SOURCE_DIR;
    ScratchDir dir;
    int inputs = 0;
    for (const Target& target : Targets)
        for (const fs::path& folder :
             {source / "tests/data/fuzz-regressions" / target.name, source / "fuzz/corpus" / target.name}) {
            if (!fs::is_directory(folder))
                continue;
            for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
                ++inputs;
                EXPECT_EQ(target.check(ReadBytes(entry.path().string()), dir.File("round-trip")), "")
                    << entry.path();
            }
        }
    EXPECT_GE(inputs, 30); // the folders were found
}

} // namespace
} // namespace vantrel
