#include "input/core/AttributeDataFile.h"

#include "input/core/AttributeTable.h"
#include "input/core/MatrixDataFile.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"

namespace vantrel {
namespace {

// The count on the reader's next line, read as the matrix file reads its
// object count; the error names the line the attribute file expects.
int ReadCount(TextFileReader& reader, const char* line, const char* what)
{
    try {
        return ReadObjectCountLine(reader);
    } catch (const Error&) {
        throw Error("Read error: " + reader.FileName() + ": line " + line +
                    " does not hold the " + what + " count of the table");
    }
}

} // namespace

void SaveAttributeDataFile(const std::string& fileName, const CellStore& table)
{
    TextFileWriter writer(fileName, Replacement::Whole);
    writer.WriteLine(std::to_string(table.RowCount()));
    writer.WriteLine(std::to_string(table.ColumnCount()));
    for (int row = 1; row < table.RowCount(); ++row)
        for (int column = 1; column < table.ColumnCount(); ++column)
            writer.WriteLine(TrimControls(table.Cell(column, row)));
    writer.Close();
}

void LoadAttributeDataFile(const std::string& fileName, CellStore& table)
{
    TextFileReader reader(fileName);
    LoadAttributeDataFile(reader, table);
}

void LoadAttributeDataFile(TextFileReader& reader, CellStore& table)
{
    const int rows = ReadCount(reader, "1", "row");
    const int columns = ReadCount(reader, "2", "column");
    if (rows < 2 || columns < 2)
        throw Error("Read error: " + reader.FileName() + ": a table has at least 2 rows and 2 columns (" +
                    std::to_string(rows) + " rows and " + std::to_string(columns) +
                    " columns given)");
    try {
        AttributeTable::CheckSize(rows - 2, columns - 2);
    } catch (const Error& error) {
        throw Error(reader.FileName() + ": " + error.what());
    }

    table.Resize(columns, rows);
    AttributeTable::NumberHeaders(table);
    for (int row = 1; row < rows; ++row)
        for (int column = 1; column < columns; ++column)
            reader.ReadLine(table.Cell(column, row));
}

} // namespace vantrel
