#pragma once

// Engine-private: extended reals kept in 10 bytes, the 6 bytes of padding
// of a long double dropped, for the large tables of exact values.

#include <cstddef>
#include <cstring>

namespace vantrel::engine {

constexpr std::size_t PackedBytes = 10;

// An extended real at any even address; may_alias, since the bytes may
// have been written as bytes.
typedef long double __attribute__((aligned(2), may_alias)) PackedReal;

inline long double LoadPacked(const unsigned char* value)
{
    return *reinterpret_cast<const PackedReal*>(value);
}

// Exactly the 10 bytes of the value: the next one follows at once.
inline void StorePacked(unsigned char* to, long double value) { std::memcpy(to, &value, PackedBytes); }

} // namespace vantrel::engine
