// Fuzz target: ParseCellNumber against the number grammar and strtold.
#include "FuzzTarget.h"
#include "checks/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantrel::fuzz;
    // The view covers exactly the input, so a read past it is caught.
    Require(CheckCellNumber({reinterpret_cast<const char*>(data), size}));
    return 0;
}
