#include "input/core/MatrixGridFiles.h"

#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"
#include "input/core/MatrixGrid.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void SaveMatrixDataFile(const std::string& fileName, const CellStore& labels, const CellStore& matrix,
                        Progress& progress)
{
    WriteMatrixDataFile(fileName, MatrixTextsOfGrids(labels, matrix), progress);
}

void ExportMatrixCsv(const std::string& fileName, const CellStore& labels, const CellStore& matrix,
                     Progress& progress)
{
    WriteMatrixCsv(fileName, MatrixTextsOfGrids(labels, matrix), progress);
}

void LoadMatrixDataFile(const std::string& fileName, CellStore& labels, CellStore& matrix, Progress& progress)
{
    TextFileReader reader(fileName);
    LoadMatrixDataFile(reader, labels, matrix, progress);
}

void LoadMatrixDataFile(TextFileReader& reader, CellStore& labels, CellStore& matrix, Progress& progress)
{
    ShowMatrixTexts(ReadMatrixDataFile(reader, progress), labels, matrix);
}

void ImportMatrixCsv(const std::string& fileName, CellStore& labels, CellStore& matrix, Progress& progress)
{
    TextFileReader reader(fileName);
    ImportMatrixCsv(reader, labels, matrix, progress);
}

void ImportMatrixCsv(TextFileReader& reader, CellStore& labels, CellStore& matrix, Progress& progress)
{
    MatrixTexts texts;
    try {
        ReadMatrixCsv(reader, texts, progress);
    } catch (const WorkCancelled&) {
        throw; // a cancel keeps the grids as they were
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
