#pragma once

#include "input/core/MatrixGrid.h"
#include "platform/core/CellStore.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace vantrel::testing {

// The two grids of a matrix window holding the given labels and the lower
// triangle's cell texts in file order ((2,1), (3,1), (3,2), ...).
struct MatrixGrids {
    CellStore Labels;
    CellStore Matrix;

    MatrixGrids(const std::vector<std::string>& labels, const std::vector<std::string>& values)
    {
        SetUpFreshGrids(Labels, Matrix);
        const int n = static_cast<int>(labels.size());
        Labels.SetRowCount(n + 1);
        NumberLabelRows(Labels);
        Matrix.Resize(n + 1, n + 1);
        RebuildMatrixMarks(Matrix);
        for (int i = 1; i <= n; ++i)
            Labels.SetCell(1, i, labels[i - 1]);
        std::size_t k = 0;
        for (int i = 2; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                Matrix.SetCell(j, i, k < values.size() ? values[k++] : " ");
    }
};

// A scratch folder removed with its contents at the end of the test.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& fileName, const std::string& bytes)
{
    std::ofstream(fileName, std::ios::binary) << bytes;
}

} // namespace vantrel::testing
