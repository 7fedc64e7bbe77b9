// Fuzz target: SplitCsvLine and QuoteCsvField, split and join round trips.
#include "FuzzTarget.h"
#include "checks/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantrel::fuzz;
    Require(CheckCsvLine({reinterpret_cast<const char*>(data), size}));
    return 0;
}
