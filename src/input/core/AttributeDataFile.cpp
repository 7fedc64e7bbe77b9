#include "input/core/AttributeDataFile.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "input/core/MatrixDataFile.h"
#include "platform/core/Cp932.h"
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
        throw Error("Read error: " + Cp932ForMessage(reader.FileName()) + ": line " + line +
                    " does not hold the " + what + " count of the table");
    }
}

} // namespace

void WriteAttributeDataFile(const std::string& fileName, const AttributeTexts& texts, Progress& progress)
{
    TextFileWriter writer(fileName, Replacement::Whole);
    const CellStore& cells = texts.Cells;
    const std::int64_t columns = cells.ColumnCount();
    progress.Start(SavingText(fileName), LinesUnit, 2 + cells.RowCount() * columns);
    writer.WriteLine(std::to_string(cells.RowCount() + 1));
    writer.WriteLine(std::to_string(cells.ColumnCount() + 1));
    for (int row = 0; row < cells.RowCount(); ++row) {
        for (int column = 0; column < cells.ColumnCount(); ++column)
            writer.WriteLine(TrimControls(cells.Cell(column, row)));
        progress.Advance(2 + (row + 1) * columns);
    }
    writer.Close();
}

AttributeTexts ReadAttributeDataFile(const std::string& fileName)
{
    TextFileReader reader(fileName);
    return ReadAttributeDataFile(reader);
}

AttributeTexts ReadAttributeDataFile(TextFileReader& reader, Progress& progress)
{
    const int rows = ReadCount(reader, "1", "row");
    const int columns = ReadCount(reader, "2", "column");
    if (rows < 2 || columns < 2)
        throw Error("Read error: " + Cp932ForMessage(reader.FileName()) +
                    ": a table has at least 2 rows and 2 columns (" + std::to_string(rows) + " rows and " +
                    std::to_string(columns) + " columns given)");
    if (rows - 2 > MaxObjects)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " + TooManyObjectsText(rows - 2));
    if (columns - 2 > MaxAttributes)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " + TooManyAttributesText(columns - 2));

    AttributeTexts texts;
    texts.Cells.Resize(columns - 1, rows - 1);
    const std::int64_t cells = columns - 1;
    progress.Start(LoadingText(reader.FileName()), LinesUnit, 2 + (rows - 1) * cells);
    for (int row = 0; row < rows - 1; ++row) {
        for (int column = 0; column < columns - 1; ++column)
            reader.ReadLine(texts.Cells.Cell(column, row));
        progress.Advance(2 + (row + 1) * cells);
    }
    return texts;
}

} // namespace vantrel
