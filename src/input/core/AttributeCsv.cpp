#include "input/core/AttributeCsv.h"

#include "input/core/AttributeTable.h"
#include "input/core/Csv.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"

#include <algorithm>
#include <vector>

namespace vantrel {

void WriteAttributeCsv(const std::string& fileName, const CellStore& table)
{
    TextFileWriter writer(fileName, Replacement::Whole);
    std::string line;
    for (int row = 1; row < table.RowCount(); ++row) {
        line = QuoteCsvField(table.Cell(1, row));
        for (int column = 2; column < table.ColumnCount(); ++column) {
            line += ',';
            line += QuoteCsvField(table.Cell(column, row));
        }
        writer.WriteLine(line);
    }
    writer.Close();
}

void ReadAttributeCsv(const std::string& fileName, CellStore& table)
{
    TextFileReader reader(fileName);
    ReadAttributeCsv(reader, table);
}

void ReadAttributeCsv(TextFileReader& reader, CellStore& table)
{
    std::string line;
    reader.ReadLine(line);
    const std::vector<std::string> names = SplitCsvLine(line);
    // Field 0 is the corner; without it the table still keeps its label
    // column, with no attributes.
    const int columns = std::max(static_cast<int>(names.size()) + 1, 2);

    std::vector<std::vector<std::string>> objects;
    do {
        reader.ReadLine(line);
        objects.push_back(SplitCsvLine(line));
        if (static_cast<int>(objects.size()) > MaxObjects)
            break;
    } while (!reader.AtEnd());

    try {
        AttributeTable::CheckSize(static_cast<int>(objects.size()), columns - 2);
    } catch (const Error& error) {
        throw Error(reader.FileName() + ": " + error.what());
    }

    table.Resize(columns, 2);
    for (int column = 2; column < columns; ++column) {
        table.SetCell(column, 0, AttributeTable::AttributeHeader(column - 1));
        table.SetCell(column, 1, names[static_cast<std::size_t>(column - 1)]);
    }
    table.SetRowCount(static_cast<int>(objects.size()) + 2);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        table.SetCell(0, row, AttributeTable::ObjectHeader(row - 1));
        const std::vector<std::string>& fields = objects[i];
        const int used = std::min(static_cast<int>(fields.size()), columns - 1);
        for (int f = 0; f < used; ++f)
            table.SetCell(f + 1, row, std::move(objects[i][static_cast<std::size_t>(f)]));
    }
}

} // namespace vantrel
