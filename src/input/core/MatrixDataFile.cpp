#include "input/core/MatrixDataFile.h"

#include "engine/AnalysisData.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixGrid.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"

#include <limits>

namespace vantrel {
namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::string TrimControls(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsControlOrBlank(text[begin]))
        ++begin;
    while (end > begin && IsControlOrBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

int ReadObjectCountLine(TextFileReader& reader)
{
    const std::string& contents = reader.Contents();
    std::size_t i = reader.Position();
    while (i < contents.size() && IsControlOrBlank(contents[i]))
        ++i;
    const std::size_t start = i;
    while (i < contents.size() && !IsControlOrBlank(contents[i]))
        ++i;
    const std::string token = contents.substr(start, i - start);

    // The rest of the line, line end included, belongs to the count.
    const std::size_t lineEnd = contents.find('\n', i);
    reader.SetPosition(lineEnd == std::string::npos ? contents.size() : lineEnd + 1);

    if (token.empty())
        return 0;
    std::size_t digitsFrom = token[0] == '+' || token[0] == '-' ? 1 : 0;
    long long value = 0;
    bool valid = digitsFrom < token.size();
    for (std::size_t k = digitsFrom; valid && k < token.size(); ++k) {
        if (token[k] < '0' || token[k] > '9')
            valid = false;
        else if ((value = value * 10 + (token[k] - '0')) >
                 static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            valid = false;
    }
    if (token[0] == '-')
        value = -value;
    if (!valid || value > std::numeric_limits<int>::max())
        throw IoError("I/O error: " + reader.FileName() +
                      ": the first line does not hold the number of objects");
    return static_cast<int>(value);
}

void LoadMatrixDataFile(const std::string& fileName, CellStore& labels, CellStore& matrix)
{
    TextFileReader reader(fileName);
    LoadMatrixDataFile(reader, labels, matrix);
}

void LoadMatrixDataFile(TextFileReader& reader, CellStore& labels, CellStore& matrix)
{
    const int n = ReadObjectCountLine(reader);
    if (n > AnalysisData::Capacity)
        throw Error(reader.FileName() + ": " + TooManyObjectsText(n));

    labels.Resize(2, n + 1);
    for (int i = 1; i <= n; ++i) {
        labels.SetCell(0, i, ObjectHeader(i));
        reader.ReadLine(labels.Cell(1, i));
    }

    matrix.Resize(n + 1, n + 1);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            reader.ReadLine(matrix.Cell(j, i));
    RebuildMatrixMarks(matrix);
}

void SaveMatrixDataFile(const std::string& fileName, const CellStore& labels,
                        const CellStore& matrix)
{
    TextFileWriter writer(fileName, Replacement::Whole);
    const int n = ObjectCountOf(labels);
    writer.WriteLine(std::to_string(n));
    for (int i = 1; i <= n; ++i)
        writer.WriteLine(CellOrEmpty(labels, 1, i));
    for (int i = 2; i < matrix.RowCount(); ++i)
        for (int j = 1; j < i; ++j)
            writer.WriteLine(TrimControls(CellOrEmpty(matrix, j, i)));
    writer.Close();
}

} // namespace vantrel
