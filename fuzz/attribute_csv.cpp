// Fuzz target: the attribute CSV file, read, write and read again.
#include "FuzzTarget.h"
#include "checks/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantrel::fuzz;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Require(CheckAttributeCsv(bytes, ScratchFile("attribute_csv")));
    return 0;
}
