// Fuzz target: the matrix CSV file, import, export and import again.
#include "FuzzTarget.h"
#include "checks/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantrel::fuzz;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Require(CheckMatrixCsv(bytes, ScratchFile("matrix_csv")));
    return 0;
}
