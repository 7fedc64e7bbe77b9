#include "input/core/AttributeCsv.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "input/core/Csv.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <algorithm>
#include <vector>

namespace vantrel {

void WriteAttributeCsv(const std::string& fileName, const AttributeTexts& texts, Progress& progress)
{
    TextFileWriter writer(fileName, Replacement::Whole);
    const CellStore& cells = texts.Cells;
    progress.Start(SavingText(fileName), LinesUnit, cells.RowCount());
    std::string line;
    for (int row = 0; row < cells.RowCount(); ++row) {
        line = QuoteCsvField(cells.Cell(0, row));
        for (int column = 1; column < cells.ColumnCount(); ++column) {
            line += ',';
            line += QuoteCsvField(cells.Cell(column, row));
        }
        writer.WriteLine(line);
        progress.Advance(row + 1);
    }
    writer.Close();
}

AttributeTexts ReadAttributeCsv(const std::string& fileName)
{
    TextFileReader reader(fileName);
    return ReadAttributeCsv(reader);
}

AttributeTexts ReadAttributeCsv(TextFileReader& reader, Progress& progress)
{
    std::string_view line;
    reader.ReadLine(line);
    std::vector<std::string> names = SplitCsvLine(line);
    // Field 0 is the corner; without it the table still keeps its label
    // column, with no attributes.
    const int columns = std::max(static_cast<int>(names.size()), 1);

    // Every line ahead is an object, the last one even without its line end.
    const std::string& contents = reader.Contents();
    const auto rest =
        contents.begin() + static_cast<std::ptrdiff_t>(std::min(reader.Position(), contents.size()));
    const std::int64_t lines =
        std::count(rest, contents.end(), '\n') + (contents.empty() || contents.back() != '\n');
    progress.Start(LoadingText(reader.FileName()), LinesUnit, 1 + std::max<std::int64_t>(lines, 1));

    std::vector<std::vector<std::string>> objects;
    do {
        reader.ReadLine(line);
        objects.push_back(SplitCsvLine(line));
        progress.Advance(1 + static_cast<std::int64_t>(objects.size()));
        if (static_cast<int>(objects.size()) > MaxObjects)
            break;
    } while (!reader.AtEnd());

    if (static_cast<int>(objects.size()) > MaxObjects)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " +
                    TooManyObjectsText(static_cast<long long>(objects.size())));
    if (columns - 1 > MaxAttributes)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " + TooManyAttributesText(columns - 1));

    AttributeTexts texts;
    texts.Cells.Resize(columns, static_cast<int>(objects.size()) + 1);
    for (int column = 1; column < columns; ++column)
        texts.Cells.SetCell(column, 0, std::move(names[static_cast<std::size_t>(column)]));
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::vector<std::string>& fields = objects[i];
        const int used = std::min(static_cast<int>(fields.size()), columns);
        for (int f = 0; f < used; ++f)
            texts.Cells.SetCell(f, static_cast<int>(i) + 1, std::move(fields[static_cast<std::size_t>(f)]));
    }
    return texts;
}

} // namespace vantrel
