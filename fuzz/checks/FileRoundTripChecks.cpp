#include "FuzzChecks.h"

#include "input/core/AttributeCsv.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"
#include "platform/core/Errors.h"
#include "platform/core/TextFile.h"

#include <functional>

namespace vantrel::fuzz {
namespace {

// Which cells the writer trims: the expected text of a cell after the
// round trip is its first text, trimmed where this says so.
using TrimmedCell = std::function<bool(int column, int row)>;

std::string CompareCells(const char* grid, const CellStore& first, const CellStore& second,
                         const TrimmedCell& trimmed)
{
    if (first.ColumnCount() != second.ColumnCount() || first.RowCount() != second.RowCount())
        return std::string(grid) + ": " + std::to_string(first.ColumnCount()) + "x" +
               std::to_string(first.RowCount()) + " cells came back as " +
               std::to_string(second.ColumnCount()) + "x" + std::to_string(second.RowCount());
    for (int row = 0; row < first.RowCount(); ++row)
        for (int column = 0; column < first.ColumnCount(); ++column) {
            const std::string& was = first.Cell(column, row);
            const std::string expected = trimmed(column, row) ? TrimControls(was) : was;
            if (second.Cell(column, row) != expected)
                return std::string(grid) + ": cell [" + std::to_string(column) + ", " +
                       std::to_string(row) + "] '" + was + "' came back as '" +
                       second.Cell(column, row) + "'";
        }
    return {};
}

bool LowerTriangle(int column, int row) { return column >= 1 && column < row; }

using MatrixLoad = std::function<void(TextFileReader&, CellStore&, CellStore&)>;
using MatrixSave = std::function<void(const std::string&, const CellStore&, const CellStore&)>;

std::string CheckMatrixRoundTrip(const std::string& bytes, const std::string& scratchFile,
                                 const MatrixLoad& load, const MatrixSave& save)
{
    CellStore labels;
    CellStore matrix;
    try {
        TextFileReader reader("fuzz input", bytes);
        load(reader, labels, matrix);
    } catch (const Error&) {
        return {};
    }
    CellStore labelsAgain;
    CellStore matrixAgain;
    try {
        save(scratchFile, labels, matrix);
        TextFileReader reader(scratchFile);
        load(reader, labelsAgain, matrixAgain);
    } catch (const Error& error) {
        return std::string("the saved grids do not load again: ") + error.what();
    }
    std::string failure = CompareCells("labels", labels, labelsAgain, [](int, int) { return false; });
    if (failure.empty())
        failure = CompareCells("matrix", matrix, matrixAgain, LowerTriangle);
    return failure;
}

using TableLoad = std::function<void(TextFileReader&, CellStore&)>;
using TableSave = std::function<void(const std::string&, const CellStore&)>;

std::string CheckTableRoundTrip(const std::string& bytes, const std::string& scratchFile,
                                const TableLoad& load, const TableSave& save,
                                const TrimmedCell& trimmed)
{
    CellStore table;
    AttributeTable::Initialize(table);
    try {
        TextFileReader reader("fuzz input", bytes);
        load(reader, table);
    } catch (const Error&) {
        return {};
    }
    CellStore again;
    AttributeTable::Initialize(again);
    try {
        save(scratchFile, table);
        TextFileReader reader(scratchFile);
        load(reader, again);
    } catch (const Error& error) {
        return std::string("the saved table does not load again: ") + error.what();
    }
    return CompareCells("table", table, again, trimmed);
}

} // namespace

std::string CheckMatrixDataFile(const std::string& bytes, const std::string& scratchFile)
{
    const MatrixLoad load = [](TextFileReader& reader, CellStore& labels, CellStore& matrix) {
        LoadMatrixDataFile(reader, labels, matrix);
    };
    return CheckMatrixRoundTrip(bytes, scratchFile, load, SaveMatrixDataFile);
}

std::string CheckMatrixCsv(const std::string& bytes, const std::string& scratchFile)
{
    const MatrixLoad load = [](TextFileReader& reader, CellStore& labels, CellStore& matrix) {
        ImportMatrixCsv(reader, labels, matrix);
    };
    return CheckMatrixRoundTrip(bytes, scratchFile, load, ExportMatrixCsv);
}

std::string CheckAttributeCsv(const std::string& bytes, const std::string& scratchFile)
{
    const TableLoad load = [](TextFileReader& reader, CellStore& table) {
        ReadAttributeCsv(reader, table);
    };
    return CheckTableRoundTrip(bytes, scratchFile, load, WriteAttributeCsv,
                               [](int, int) { return false; });
}

std::string CheckAttributeDataFile(const std::string& bytes, const std::string& scratchFile)
{
    const TableLoad load = [](TextFileReader& reader, CellStore& table) {
        LoadAttributeDataFile(reader, table);
    };
    return CheckTableRoundTrip(bytes, scratchFile, load, SaveAttributeDataFile,
                               [](int column, int row) { return column >= 1 && row >= 1; });
}

} // namespace vantrel::fuzz
