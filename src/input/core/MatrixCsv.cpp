#include "input/core/MatrixCsv.h"

#include "engine/AnalysisData.h"
#include "input/core/Csv.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGrid.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void ExportMatrixCsv(const std::string& fileName, const CellStore& labels, const CellStore& matrix)
{
    TextFileWriter file(fileName, Replacement::Whole);
    const int labelCount = labels.RowCount() - 1;

    std::string line;
    for (int i = 1; i <= labelCount; ++i) {
        line += ',';
        line += QuoteCsvField(CellOrEmpty(labels, 1, i));
    }
    file.WriteLine(line);

    file.WriteLine(QuoteCsvField(CellOrEmpty(labels, 1, 1)));

    for (int i = 2; i < matrix.RowCount(); ++i) {
        line = QuoteCsvField(CellOrEmpty(labels, 1, i));
        for (int j = 1; j < i; ++j) {
            line += ',';
            line += QuoteCsvField(TrimControls(CellOrEmpty(matrix, j, i)));
        }
        file.WriteLine(line);
    }
    file.Close();
}

std::string CsvFieldIndexErrorText(const std::string& fileName, int lineNumber, std::size_t fieldCount,
                                   int fieldsNeeded)
{
    return "List index out of bounds: line " + std::to_string(lineNumber) + " of " + fileName +
           " has " + std::to_string(fieldCount) + (fieldCount == 1 ? " field, " : " fields, ") +
           std::to_string(fieldsNeeded) + " needed";
}

void ImportMatrixCsv(const std::string& fileName, CellStore& labels, CellStore& matrix)
{
    TextFileReader reader(fileName);
    ImportMatrixCsv(reader, labels, matrix);
}

void ImportMatrixCsv(TextFileReader& reader, CellStore& labels, CellStore& matrix)
{
    std::string line;
    reader.ReadLine(line);
    const std::vector<std::string> names = SplitCsvLine(line);
    const long long n = static_cast<long long>(names.size()) - 1;
    // Refused before anything changes, so the window keeps its data.
    if (n > AnalysisData::Capacity)
        throw Error(reader.FileName() + ": " + TooManyObjectsText(n));
    const int count = static_cast<int>(n);

    // The label grid has two columns; a store of any other shape gets them.
    labels.Resize(2, count + 1);
    for (int i = 1; i <= count; ++i) {
        labels.SetCell(0, i, ObjectHeader(i));
        labels.SetCell(1, i, names[static_cast<std::size_t>(i)]);
    }

    matrix.SetRowCount(count + 1);
    matrix.SetColumnCount(count + 1);
    for (int k = 1; k <= count; ++k) {
        matrix.SetCell(0, k, ObjectHeader(k));
        matrix.SetCell(k, 0, ObjectHeader(k));
    }

    reader.ReadLine(line); // line 2 holds label 1 alone
    for (int i = 2; i <= count; ++i) {
        line.clear();
        reader.ReadLine(line);
        std::vector<std::string> fields = SplitCsvLine(line);
        if (fields.size() < static_cast<std::size_t>(i))
            throw Error(CsvFieldIndexErrorText(reader.FileName(), i + 1, fields.size(), i));
        for (int j = 1; j < i; ++j)
            matrix.SetCell(j, i, std::move(fields[static_cast<std::size_t>(j)]));
    }

    RebuildMatrixMarks(matrix);
}

} // namespace vantrel
