#include "engine/Workspace.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vantrel::engine {

namespace {
constexpr std::size_t HugePage = std::size_t{2} << 20;
}

LargeTable::~LargeTable() { std::free(data_); }

void* LargeTable::Reserve(std::size_t bytes)
{
    if (bytes <= bytes_ && data_ != nullptr)
        return data_;
    std::free(data_);
    data_ = nullptr;
    bytes_ = 0;
    const std::size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
    void* data = std::aligned_alloc(HugePage, rounded);
    if (data == nullptr)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only advice: without huge pages the table works the same.
    madvise(data, rounded, MADV_HUGEPAGE);
#endif
    std::memset(data, 0, rounded);
    data_ = data;
    bytes_ = rounded;
    return data_;
}

Workspace& SharedWorkspace()
{
    static thread_local Workspace workspace;
    return workspace;
}

} // namespace vantrel::engine
