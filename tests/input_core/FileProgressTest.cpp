#include "input/core/AttributeGridFiles.h"
#include "input/core/MatrixGridFiles.h"

#include "MatrixTestGrids.h"
#include "support/AttributeTables.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vantrel {
namespace {

using testing::ReadBytes;
using testing::RecordingProgress;

// Each save and each load counts the lines of its file and ends at the
// count, so the dialog's bar shows the true total and reaches it.
TEST(FileProgress, SavesAndLoadsCountEveryLineOfTheFile)
{
    const testing::MatrixGrids grids({"A", "B", "C"}, {"1", "2", "3"});
    const CellStore table = testing::ExampleAttributeTable();
    using Action = std::function<void(const std::string&, Progress&)>;
    const struct {
        const char* name;
        Action save;
        Action load;
    } formats[] = {
        {"matrix data file",
         [&](const std::string& file, Progress& p) {
             SaveMatrixDataFile(file, grids.Labels, grids.Matrix, p);
         },
         [](const std::string& file, Progress& p) {
             CellStore labels, matrix;
             LoadMatrixDataFile(file, labels, matrix, p);
         }},
        {"matrix CSV file",
         [&](const std::string& file, Progress& p) { ExportMatrixCsv(file, grids.Labels, grids.Matrix, p); },
         [](const std::string& file, Progress& p) {
             CellStore labels, matrix;
             ImportMatrixCsv(file, labels, matrix, p);
         }},
        {"attribute data file",
         [&](const std::string& file, Progress& p) { SaveAttributeDataFile(file, table, p); },
         [](const std::string& file, Progress& p) {
             CellStore cells;
             LoadAttributeDataFile(file, cells, p);
         }},
        {"attribute CSV file",
         [&](const std::string& file, Progress& p) { WriteAttributeCsv(file, table, p); },
         [](const std::string& file, Progress& p) {
             CellStore cells;
             ReadAttributeCsv(file, cells, p);
         }},
    };
    testing::ScratchDir dir;
    const std::string file = dir.File("file");
    for (const auto& format : formats) {
        SCOPED_TRACE(format.name);
        RecordingProgress saving;
        RecordingProgress loading;
        format.save(file, saving);
        format.load(file, loading);
        const std::string bytes = ReadBytes(file);
        const std::int64_t lines = std::count(bytes.begin(), bytes.end(), '\n');
        for (const RecordingProgress* progress : {&saving, &loading}) {
            ASSERT_EQ(progress->Parts().size(), 1u);
            EXPECT_EQ(progress->Parts()[0].Unit, "lines");
            EXPECT_EQ(progress->Parts()[0].Total, lines);
            EXPECT_EQ(progress->Parts()[0].Done, lines);
        }
        EXPECT_EQ(saving.Parts()[0].What, "Saving " + file);
        EXPECT_EQ(loading.Parts()[0].What, "Loading " + file);
    }
}

} // namespace
} // namespace vantrel
