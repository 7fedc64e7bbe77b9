#pragma once

#include "platform/core/CellStore.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The file buttons of a matrix window on its two grids: the label grid (2
// columns, N + 1 rows) and the matrix grid (N + 1 columns and rows, pair
// (i, j), i > j, in cell [j, i]). The files hold MatrixTexts; these put
// the window's headers and "*" marks around them.

// Saves the data file, or exports the CSV file (`fileName` as given).
// Throws IoError; the old file stays whole. Each of these counts the file's
// lines on `progress`; a cancel leaves the files and the grids as they were.
void SaveMatrixDataFile(const std::string& fileName, const CellStore& labels, const CellStore& matrix,
                        Progress& progress = NoProgress());
void ExportMatrixCsv(const std::string& fileName, const CellStore& labels, const CellStore& matrix,
                     Progress& progress = NoProgress());

// Loads a data file. The grids are untouched when it fails.
void LoadMatrixDataFile(const std::string& fileName, CellStore& labels, CellStore& matrix,
                        Progress& progress = NoProgress());
void LoadMatrixDataFile(TextFileReader& reader, CellStore& labels, CellStore& matrix,
                        Progress& progress = NoProgress());

// Imports a CSV file. The grids are untouched when the file cannot be read
// or holds too many objects; a data line with too few fields leaves them as
// far as the import got, before the error goes on.
void ImportMatrixCsv(const std::string& fileName, CellStore& labels, CellStore& matrix,
                     Progress& progress = NoProgress());
void ImportMatrixCsv(TextFileReader& reader, CellStore& labels, CellStore& matrix,
                     Progress& progress = NoProgress());

} // namespace vantrel
