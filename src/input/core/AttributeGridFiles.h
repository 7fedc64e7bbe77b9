#pragma once

#include "platform/core/CellStore.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The file buttons of the attribute window on its table grid (row 1 the
// attribute names, column 1 the labels, row 0 and column 0 the headers).
// The files hold AttributeTexts; these put the window's headers around
// them. Every failure throws before the table changes, and so does a cancel
// on `progress`, which counts the file's lines.

void SaveAttributeDataFile(const std::string& fileName, const CellStore& table,
                           Progress& progress = NoProgress());
void LoadAttributeDataFile(const std::string& fileName, CellStore& table, Progress& progress = NoProgress());
void LoadAttributeDataFile(TextFileReader& reader, CellStore& table, Progress& progress = NoProgress());

// The CSV file does not carry the corner cell back: reading keeps it.
void WriteAttributeCsv(const std::string& fileName, const CellStore& table,
                       Progress& progress = NoProgress());
void ReadAttributeCsv(const std::string& fileName, CellStore& table, Progress& progress = NoProgress());
void ReadAttributeCsv(TextFileReader& reader, CellStore& table, Progress& progress = NoProgress());

} // namespace vantrel
