#pragma once

#include <cstddef>
#include <new>

namespace vantrel {

// Raw memory for big arrays (the cells of a 1000-object grid are 32 MB).
// Blocks of 4 MB and more are mapped on their own and marked for huge
// pages, which cuts the page faults of first use by a factor of 512; that
// first touch is most of the cost of loading a large data file. Smaller
// blocks come from the ordinary heap.
void* AllocateLargeBlock(std::size_t bytes);
void ReleaseLargeBlock(void* block, std::size_t bytes) noexcept;

// A stateless standard allocator over the functions above.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLargeBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { ReleaseLargeBlock(block, count * sizeof(T)); }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace vantrel
