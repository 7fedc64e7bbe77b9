#include "FuzzChecks.h"
#include "input/core/AttributeGridFiles.h"
#include "input/core/MatrixGridFiles.h"

#include "common/Errors.h"
#include "input/core/AttributeCsv.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeTable.h"
#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"
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
            const std::string expected = trimmed(column, row) ? std::string(TrimControls(was)) : was;
            if (second.Cell(column, row) != expected)
                return std::string(grid) + ": cell [" + std::to_string(column) + ", " + std::to_string(row) +
                       "] '" + was + "' came back as '" + second.Cell(column, row) + "'";
        }
    return {};
}

bool LowerTriangle(int column, int row) { return column >= 1 && column < row; }

using MatrixLoad = std::function<void(TextFileReader&, CellStore&, CellStore&)>;
using MatrixSave = std::function<void(const std::string&, const CellStore&, const CellStore&)>;

// `firstLoad` reads the bytes, `save` writes the grids, `load` reads them
// back; a refusal of the bytes passes.
std::string CheckMatrixRoundTrip(const std::string& bytes, const std::string& scratchFile,
                                 const MatrixLoad& firstLoad, const MatrixSave& save, const MatrixLoad& load)
{
    CellStore labels;
    CellStore matrix;
    try {
        TextFileReader reader("fuzz input", bytes);
        firstLoad(reader, labels, matrix);
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
                                const TableLoad& firstLoad, const TableSave& save, const TableLoad& load,
                                const TrimmedCell& trimmed,
                                const std::function<bool(const CellStore&)>& skip = {})
{
    CellStore table;
    AttributeTable::Initialize(table);
    try {
        TextFileReader reader("fuzz input", bytes);
        firstLoad(reader, table);
    } catch (const Error&) {
        return {};
    }
    if (skip && skip(table))
        return {};
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

const MatrixLoad LoadMatrixFile = [](TextFileReader& reader, CellStore& labels, CellStore& matrix) {
    LoadMatrixDataFile(reader, labels, matrix);
};
const MatrixLoad ImportMatrix = [](TextFileReader& reader, CellStore& labels, CellStore& matrix) {
    ImportMatrixCsv(reader, labels, matrix);
};
const TableLoad LoadAttributeFile = [](TextFileReader& reader, CellStore& table) {
    LoadAttributeDataFile(reader, table);
};
const TableLoad ReadAttributes = [](TextFileReader& reader, CellStore& table) {
    ReadAttributeCsv(reader, table);
};
const MatrixSave SaveMatrixGrids = [](const std::string& fileName, const CellStore& labels,
                                      const CellStore& matrix) {
    SaveMatrixDataFile(fileName, labels, matrix);
};
const MatrixSave ExportMatrixGrids = [](const std::string& fileName, const CellStore& labels,
                                        const CellStore& matrix) {
    ExportMatrixCsv(fileName, labels, matrix);
};
const TableSave SaveAttributeGrid = [](const std::string& fileName, const CellStore& table) {
    SaveAttributeDataFile(fileName, table);
};

// A NUL byte ends a CSV line, so cells holding one cannot pass through a
// CSV file; the data files keep them.
bool HoldsNul(const std::string& bytes) { return bytes.find('\0') != std::string::npos; }

} // namespace

std::string CheckMatrixDataFile(const std::string& bytes, const std::string& scratchFile)
{
    return CheckMatrixRoundTrip(bytes, scratchFile, LoadMatrixFile, SaveMatrixGrids, LoadMatrixFile);
}

std::string CheckMatrixCsv(const std::string& bytes, const std::string& scratchFile)
{
    // The bytes as a CSV file, and as a data file whose grids are exported.
    std::string failure =
        CheckMatrixRoundTrip(bytes, scratchFile, ImportMatrix, ExportMatrixGrids, ImportMatrix);
    if (failure.empty() && !HoldsNul(bytes))
        failure = CheckMatrixRoundTrip(bytes, scratchFile, LoadMatrixFile, ExportMatrixGrids, ImportMatrix);
    return failure;
}

// The grid overload of WriteAttributeCsv, named for the function parameter.
void WriteAttributeGrid(const std::string& fileName, const CellStore& table)
{
    WriteAttributeCsv(fileName, table);
}

std::string CheckAttributeCsv(const std::string& bytes, const std::string& scratchFile)
{
    const auto untrimmed = [](int, int) { return false; };
    std::string failure = CheckTableRoundTrip(bytes, scratchFile, ReadAttributes, WriteAttributeGrid,
                                              ReadAttributes, untrimmed);
    if (!failure.empty() || HoldsNul(bytes))
        return failure;
    // The bytes as a data file whose table is exported. The corner cell is
    // not read back from a CSV file, and a table without objects reads back
    // with one empty object, as an import always gives one.
    CellStore fresh;
    AttributeTable::Initialize(fresh);
    const std::string corner = fresh.Cell(1, 1);
    const TableLoad loadWithoutCorner = [&corner](TextFileReader& reader, CellStore& table) {
        LoadAttributeDataFile(reader, table);
        table.SetCell(1, 1, corner);
    };
    return CheckTableRoundTrip(
        bytes, scratchFile, loadWithoutCorner, WriteAttributeGrid, ReadAttributes, untrimmed,
        [](const CellStore& table) { return AttributeTable::ObjectCount(table) == 0; });
}

std::string CheckAttributeDataFile(const std::string& bytes, const std::string& scratchFile)
{
    return CheckTableRoundTrip(bytes, scratchFile, LoadAttributeFile, SaveAttributeGrid, LoadAttributeFile,
                               [](int column, int row) { return column >= 1 && row >= 1; });
}

} // namespace vantrel::fuzz
