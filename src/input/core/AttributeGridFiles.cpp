#include "input/core/AttributeGridFiles.h"

#include "input/core/AttributeCsv.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeTable.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void SaveAttributeDataFile(const std::string& fileName, const CellStore& table, Progress& progress)
{
    WriteAttributeDataFile(fileName, AttributeTable::TextsOf(table), progress);
}

void LoadAttributeDataFile(const std::string& fileName, CellStore& table, Progress& progress)
{
    TextFileReader reader(fileName);
    LoadAttributeDataFile(reader, table, progress);
}

void LoadAttributeDataFile(TextFileReader& reader, CellStore& table, Progress& progress)
{
    AttributeTable::Show(ReadAttributeDataFile(reader, progress), table);
}

void WriteAttributeCsv(const std::string& fileName, const CellStore& table, Progress& progress)
{
    WriteAttributeCsv(fileName, AttributeTable::TextsOf(table), progress);
}

void ReadAttributeCsv(const std::string& fileName, CellStore& table, Progress& progress)
{
    TextFileReader reader(fileName);
    ReadAttributeCsv(reader, table, progress);
}

void ReadAttributeCsv(TextFileReader& reader, CellStore& table, Progress& progress)
{
    AttributeTable::Show(ReadAttributeCsv(reader, progress), table, AttributeTable::Corner::Keep);
}

} // namespace vantrel
