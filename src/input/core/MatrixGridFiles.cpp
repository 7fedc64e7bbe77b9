#include "input/core/MatrixGridFiles.h"

#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGrid.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void SaveMatrixDataFile(const std::string& fileName, const CellStore& labels, const CellStore& matrix)
{
    WriteMatrixDataFile(fileName, MatrixTextsOfGrids(labels, matrix));
}

void ExportMatrixCsv(const std::string& fileName, const CellStore& labels, const CellStore& matrix)
{
    WriteMatrixCsv(fileName, MatrixTextsOfGrids(labels, matrix));
}

void LoadMatrixDataFile(const std::string& fileName, CellStore& labels, CellStore& matrix)
{
    TextFileReader reader(fileName);
    LoadMatrixDataFile(reader, labels, matrix);
}

void LoadMatrixDataFile(TextFileReader& reader, CellStore& labels, CellStore& matrix)
{
    ShowMatrixTexts(ReadMatrixDataFile(reader), labels, matrix);
}

void ImportMatrixCsv(const std::string& fileName, CellStore& labels, CellStore& matrix)
{
    TextFileReader reader(fileName);
    ImportMatrixCsv(reader, labels, matrix);
}

void ImportMatrixCsv(TextFileReader& reader, CellStore& labels, CellStore& matrix)
{
    MatrixTexts texts;
    try {
        ReadMatrixCsv(reader, texts);
    } catch (...) {
        // A short line stops the import where it was; a file that could not
        // be read or was refused left the texts empty and the grids alone.
        if (!texts.Labels.empty())
            ShowMatrixTexts(texts, labels, matrix);
        throw;
    }
    ShowMatrixTexts(texts, labels, matrix);
}

} // namespace vantrel
