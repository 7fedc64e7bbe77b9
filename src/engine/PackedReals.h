#pragma once

// Engine-private: extended reals kept in 10 bytes, the 6 bytes of padding
// of a long double dropped, for the large tables of exact values.

#include <cstddef>
#include <cstdint>
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

// The same for a value the x87 unit has just computed: stored straight
// from its register, which writes the 10 bytes and no more (a long double
// copied as a whole may be moved as 16 bytes).
inline void StoreComputed(unsigned char* to, long double value)
{
#if defined(__x86_64__) || defined(__i386__)
    asm("fstpt %0" : "=m"(*reinterpret_cast<PackedReal*>(to)) : "t"(value) : "st");
#else
    StorePacked(to, value);
#endif
}

// The 10 bytes of one value to another place, bit for bit (`to` may be
// `from`).
inline void CopyPacked(unsigned char* to, const unsigned char* from)
{
    std::uint64_t low;
    std::uint16_t high;
    std::memcpy(&low, from, sizeof low);
    std::memcpy(&high, from + sizeof low, sizeof high);
    std::memcpy(to, &low, sizeof low);
    std::memcpy(to + sizeof low, &high, sizeof high);
}

// The sign and the 15-bit exponent of a stored value.
inline std::uint32_t SignExponent(const unsigned char* value)
{
    std::uint16_t signExponent;
    std::memcpy(&signExponent, value + 8, sizeof signExponent);
    return signExponent;
}

// Whether the bits of a value spell no finite number: an exponent of all
// ones (infinities and NaN), or an "unnormal" the processor refuses.
inline bool NotFiniteBits(const unsigned char* value)
{
    std::uint64_t mantissa;
    std::memcpy(&mantissa, value, sizeof mantissa);
    const std::uint32_t exponent = SignExponent(value) & 0x7FFFu;
    return exponent == 0x7FFFu || (exponent != 0 && (mantissa >> 63) == 0);
}

} // namespace vantrel::engine
