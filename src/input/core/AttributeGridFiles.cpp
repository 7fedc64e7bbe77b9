#include "input/core/AttributeGridFiles.h"

#include "input/core/AttributeCsv.h"
#include "input/core/AttributeDataFile.h"
#include "input/core/AttributeTable.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void SaveAttributeDataFile(const std::string& fileName, const CellStore& table)
{
    WriteAttributeDataFile(fileName, AttributeTable::TextsOf(table));
}

void LoadAttributeDataFile(const std::string& fileName, CellStore& table)
{
    TextFileReader reader(fileName);
    LoadAttributeDataFile(reader, table);
}

void LoadAttributeDataFile(TextFileReader& reader, CellStore& table)
{
    AttributeTable::Show(ReadAttributeDataFile(reader), table);
}

void WriteAttributeCsv(const std::string& fileName, const CellStore& table)
{
    WriteAttributeCsv(fileName, AttributeTable::TextsOf(table));
}

void ReadAttributeCsv(const std::string& fileName, CellStore& table)
{
    TextFileReader reader(fileName);
    ReadAttributeCsv(reader, table);
}

void ReadAttributeCsv(TextFileReader& reader, CellStore& table)
{
    AttributeTable::Show(ReadAttributeCsv(reader), table, AttributeTable::Corner::Keep);
}

} // namespace vantrel
