#pragma once

#include "platform/core/CellStore.h"

#include <string>

namespace vantrel {

// Fills the two grids of a matrix window from an input file, as the window
// would: a name ending in ".csv" (any case) is read as a matrix CSV file,
// any other as a matrix data file.
void ReadMatrixInputFile(const std::string& fileName, CellStore& labels, CellStore& matrix);

} // namespace vantrel
