// Fuzz target: the matrix data file, load, save and load again.
#include "FuzzTarget.h"
#include "checks/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantrel::fuzz;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Require(CheckMatrixDataFile(bytes, ScratchFile("matrix_data_file")));
    return 0;
}
