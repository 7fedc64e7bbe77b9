#pragma once

#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The file buttons of the attribute window on its table grid (row 1 the
// attribute names, column 1 the labels, row 0 and column 0 the headers).
// The files hold AttributeTexts; these put the window's headers around
// them. Every failure throws before the table changes.

void SaveAttributeDataFile(const std::string& fileName, const CellStore& table);
void LoadAttributeDataFile(const std::string& fileName, CellStore& table);
void LoadAttributeDataFile(TextFileReader& reader, CellStore& table);

// The CSV file does not carry the corner cell back: reading keeps it.
void WriteAttributeCsv(const std::string& fileName, const CellStore& table);
void ReadAttributeCsv(const std::string& fileName, CellStore& table);
void ReadAttributeCsv(TextFileReader& reader, CellStore& table);

} // namespace vantrel
