#pragma once

// Engine-private: 64-bit keys that order like the 80-bit values they stand
// for, so that the merge search can compare doubles (and many at a time)
// instead of extended reals. Agglomeration.cpp explains where they are used
// and why they never change a result.

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace vantrel::engine {

// The bit pattern of a double that is never NaN. Keys are compared as the
// doubles they spell (so -0 equals +0, as for the extended reals); the
// stored bits keep everything else.
using Key = std::uint64_t;

// +infinity: "no candidate". No key of a finite value reaches it.
constexpr Key NoKey = 0x7FF0000000000000ull;
constexpr Key SignBit = 0x8000000000000000ull;

// Complete and single linkage only ever copy input values, so their keys
// carry, in the 19 lowest bits, the index of the input value they stand
// for in the packed lower triangle (below 2^19 for 1024 objects). Those
// bits are masked off before any comparison.
constexpr int OriginBits = 19;
constexpr Key OriginMask = (Key{1} << OriginBits) - 1;

inline double Ordered(Key key, Key lowMask) { return std::bit_cast<double>(key & ~lowMask); }

// What the key pass learned about the input values, as bits of one flag
// word, so that the pass itself never branches on them.
enum InputFlags : unsigned {
    NotFinite = 1, // NaN, infinity or an unsupported encoding
    NotKeyExact = 2, // a value that its key does not spell exactly
    PositiveZero = 4,
    NegativeZero = 8,
    PseudoDenormal = 16 // an encoding that equals another one (see SingleLinkage.cpp)
};

// What the key pass learns about the input values, accumulated without a
// branch per value (but for the rare exponent 0); Flags() turns it into
// InputFlags.
struct InputScan {
    std::uint64_t LowBits = 0; // or of the 30 lowest significand bits
    std::uint32_t LeastExponentLess1 = ~0u; // over nonzero exponents (0 wraps to the top)
    std::uint32_t GreatestExponent = 0;
    std::uint32_t Unnormal = 0; // exponent set, integer bit clear
    std::uint32_t Subnormal = 0; // exponent 0, significand not 0
    std::uint32_t Zeros = 0; // bit 0: +0 seen, bit 1: -0 seen
    std::uint32_t Pseudo = 0; // a pseudo-denormal seen

    // Double exponents 1..2046 are extended exponents 15361..17406.
    static constexpr std::uint32_t Below = 16383 - 1023;

    unsigned Flags() const
    {
        unsigned flags = 0;
        if (GreatestExponent == 0x7FFFu || Unnormal != 0)
            flags |= vantrel::engine::NotFinite;
        if (LowBits != 0 || Subnormal != 0 || LeastExponentLess1 < Below || GreatestExponent >= Below + 2047)
            flags |= NotKeyExact;
        if ((Zeros & 1) != 0)
            flags |= PositiveZero;
        if ((Zeros & 2) != 0)
            flags |= NegativeZero;
        if (Pseudo != 0)
            flags |= PseudoDenormal;
        return flags;
    }
};

// The key of an input value for complete and single linkage: the value
// truncated toward zero to the 33 significant bits that the origin leaves,
// as a double, with `origin` in the low bits and the sign flipped when
// `flip` (similarities, so that smaller keys are always merged first).
// Truncation of the magnitude is monotone, so a < b implies key(a) <=
// key(b) as doubles; equal keys need the values themselves. Values below
// the normal range of a double share the key of zero, values above it the
// largest key; both are then not key-exact.
inline Key InputKey(const long double& value, std::uint32_t origin, Key flip, InputScan& scan)
{
    std::uint64_t mantissa;
    std::uint16_t signExponent;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, sizeof signExponent);
    const std::uint32_t exponent = signExponent & 0x7FFFu;
    constexpr std::uint32_t below = InputScan::Below;
    scan.LowBits |= mantissa & ((std::uint64_t{1} << 30) - 1);
    scan.LeastExponentLess1 = std::min(scan.LeastExponentLess1, exponent - 1);
    scan.GreatestExponent = std::max(scan.GreatestExponent, exponent);
    // "Unnormals" (exponent set, integer bit clear): the FPU refuses them.
    scan.Unnormal |= static_cast<std::uint32_t>(exponent != 0) & static_cast<std::uint32_t>(~mantissa >> 63);
    if (__builtin_expect(exponent == 0, 0)) {
        scan.Zeros |= mantissa == 0 ? 1u << (signExponent >> 15) : 0u;
        scan.Subnormal |= static_cast<std::uint32_t>(mantissa != 0);
        scan.Pseudo |= static_cast<std::uint32_t>(mantissa >> 63);
    }
    Key magnitude = ((Key{exponent - below} << 52) | ((mantissa >> 11) & ((Key{1} << 52) - 1))) & ~OriginMask;
    magnitude = exponent <= below ? 0 : magnitude;
    magnitude = exponent >= below + 2047 ? 0x7FEFFFFFFFFFFFFFull & ~OriginMask : magnitude;
    return ((static_cast<Key>(signExponent >> 15) << 63) ^ flip) | magnitude | origin;
}

// The magnitude of an extended real of this exponent and significand
// truncated toward zero to a double: 0 below the normal range of a double,
// the largest double above it.
[[gnu::always_inline]] inline Key TruncatedMagnitude(std::uint64_t mantissa, std::uint32_t exponent)
{
    const std::int32_t biased = static_cast<std::int32_t>(exponent) - 16383 + 1023;
    Key magnitude =
        (Key{static_cast<std::uint32_t>(biased)} << 52) | ((mantissa >> 11) & ((Key{1} << 52) - 1));
    magnitude = biased <= 0 ? 0 : magnitude;
    return biased >= 2047 ? 0x7FEFFFFFFFFFFFFFull : magnitude;
}

// The key of an input value for the spanning tree of single linkage: as
// InputKey, but with all 52 fraction bits of a double and no origin.
inline Key TruncatedKey(const long double& value, Key flip, unsigned& flags)
{
    std::uint64_t mantissa;
    std::uint16_t signExponent;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + 8, sizeof signExponent);
    const std::uint32_t exponent = signExponent & 0x7FFFu;
    const Key sign = static_cast<Key>(signExponent >> 15) << 63;
    const bool integerBit = (mantissa >> 63) != 0;
    flags |= (exponent == 0x7FFFu || (exponent != 0 && !integerBit)) ? NotFinite : 0u;
    if (exponent == 0) [[unlikely]]
        flags |=
            (mantissa == 0 ? (sign ? NegativeZero : PositiveZero) : 0u) | (integerBit ? PseudoDenormal : 0u);
    return (sign ^ flip) | TruncatedMagnitude(mantissa, exponent);
}

// The key of a value of the formulas (ward, centroid, median, weighted),
// read from its 10 stored bytes: as TruncatedKey, the value truncated
// toward zero to a double, so that keys come from integer operations on
// the table. All keys of such a run come from this map.
[[gnu::always_inline]] inline Key StoredKey(const unsigned char* value, Key flip)
{
    std::uint64_t mantissa;
    std::uint16_t signExponent;
    std::memcpy(&mantissa, value, sizeof mantissa);
    std::memcpy(&signExponent, value + 8, sizeof signExponent);
    const Key magnitude = TruncatedMagnitude(mantissa, signExponent & 0x7FFFu);
    return ((static_cast<Key>(signExponent >> 15) << 63) ^ flip) | magnitude;
}

// The key of any finite extended real for group average, whose values are
// computed means rather than input values: the value rounded to the nearest
// double, held at the largest double beyond that range. Rounding to nearest
// is monotone as well. All keys of one run must come from one map, so group
// average uses this one for its input values too.
inline Key ValueKey(long double value, Key flip)
{
    double rounded = static_cast<double>(value);
    if (rounded > DBL_MAX)
        rounded = DBL_MAX;
    else if (rounded < -DBL_MAX)
        rounded = -DBL_MAX;
    return std::bit_cast<Key>(rounded) ^ flip;
}

} // namespace vantrel::engine
