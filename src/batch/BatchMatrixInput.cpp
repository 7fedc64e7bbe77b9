#include "batch/BatchMatrixInput.h"

#include "input/core/Csv.h"
#include "input/core/MatrixCsv.h"
#include "input/core/MatrixDataFile.h"

namespace vantrel {

void ReadMatrixInputFile(const std::string& fileName, CellStore& labels, CellStore& matrix)
{
    if (HasCsvExtension(fileName))
        ImportMatrixCsv(fileName, labels, matrix);
    else
        LoadMatrixDataFile(fileName, labels, matrix);
}

} // namespace vantrel
