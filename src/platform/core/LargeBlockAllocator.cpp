#include "platform/core/LargeBlockAllocator.h"

#include <cstdint>
#include <sys/mman.h>

namespace vantrel {
namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t MappedFrom = std::size_t{4} << 20;

std::size_t RoundUp(std::size_t bytes) { return (bytes + HugePage - 1) / HugePage * HugePage; }

} // namespace

void* AllocateLargeBlock(std::size_t bytes)
{
    if (bytes < MappedFrom)
        return ::operator new(bytes);
    // Over-map by one huge page so the block can start on a huge-page
    // boundary, then give back the unaligned head and the unused tail.
    const std::size_t size = RoundUp(bytes);
    void* mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
    if (aligned > start)
        munmap(mapped, aligned - start);
    const std::size_t tail = start + size + HugePage - (aligned + size);
    if (tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* block = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the block works the same.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void ReleaseLargeBlock(void* block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (bytes < MappedFrom)
        ::operator delete(block);
    else
        munmap(block, RoundUp(bytes));
}

} // namespace vantrel
