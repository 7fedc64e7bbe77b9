#pragma once

#include "engine/Methods.h"

#include <bit>
#include <cfloat>
#include <cmath>

namespace vantrel {

// The formulas below are evaluated in the 80-bit format, each operation
// rounded once: long double must be the x87 extended format, and nothing
// may fuse or reorder operations (no -ffast-math; x87 has no fused
// multiply-add).
static_assert(LDBL_MANT_DIG == 64, "the merge levels are defined in 80-bit extended precision");

// Which value of two is merged first. Dissimilarities merge the smallest
// value first, similarities the largest. Only a strictly better value wins,
// so equal values (including -0 against +0) keep the earlier candidate.
struct SmallestFirst {
    static constexpr bool Similarities = false;
    static bool Better(long double candidate, long double best) { return candidate < best; }
};
struct LargestFirst {
    static constexpr bool Similarities = true;
    static bool Better(long double candidate, long double best) { return candidate > best; }
};

// Where the value of a merged cluster to another cluster comes from: a copy
// of one of the two values it replaces, a mean over the input, or a
// formula of the two values and the value at which the clusters merged.
enum class NewValues { Copied, Averaged, Formula };

// How the value of a merged cluster to another cluster x follows from d1,
// the value of x to the first merged cluster (the Left child), and d2, the
// value of x to the second. "Nearer" is the direction in which values are
// merged first: smaller dissimilarities, larger similarities.
//
// Complete linkage keeps the farther value: d2 >= d1 ? d2 : d1 for
// dissimilarities, d2 <= d1 ? d2 : d1 for similarities. Single linkage keeps
// the nearer one: d2 <= d1 ? d2 : d1, or d2 >= d1 ? d2 : d1. On equal values
// both keep d2, which matters because -0 and +0 compare equal but are
// different values.
struct KeepFarther {
    static constexpr NewValues Values = NewValues::Copied;
    static constexpr bool Farther = true;
};
struct KeepNearer {
    static constexpr NewValues Values = NewValues::Copied;
    static constexpr bool Farther = false;
};
// The mean over all object pairs between the two clusters, summed from the
// input matrix every time (see Agglomeration.cpp).
struct GroupAverage {
    static constexpr NewValues Values = NewValues::Averaged;
};

// The four formulas. a (Left, na objects) and b (Right, nb objects) merged
// at the list value d12; x holds nx objects. Each is evaluated exactly as
// defined: left to right, every operation rounded once to 80 bits, the
// counts converted to long double. The code keeps the counts as integers:
// a sum of counts is exact either way, and an operation with a count gives
// the same 80-bit result whichever operand comes first and whether the
// count is converted before or by the instruction (x87 can multiply or
// divide by an integer directly, sparing its eight registers). The parts
// that are the same for every x of a merge (Merge) are the formula's own
// subexpressions, computed once per merge by the same operations.
// Ward's method, the centroid and the median method keep squared
// dissimilarities (the list is filled with d * d) and stand a merge at the
// signed square root of its value; weighted average keeps the values as
// they are.
inline long double SignedRoot(long double value) { return value >= 0 ? sqrtl(value) : -sqrtl(-value); }

// ((nx + na) * d1 + (nx + nb) * d2 - nx * d12) / (nx + na + nb)
struct Ward {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Ward;
    static constexpr bool Squares = true;
    struct Merge {
        long double D12;
        int Na, Nb;
        Merge(long double d12, int na, int nb) : D12(d12), Na(na), Nb(nb) { }
    };
    static long double Update(const Merge& m, long double d1, long double d2, int nx)
    {
        const int xa = nx + m.Na;
        const int xb = nx + m.Nb;
        return (d1 * xa + d2 * xb - m.D12 * nx) / (xa + m.Nb);
    }
};
// (na * d1 + nb * d2 - na * nb * d12 / (na + nb)) / (na + nb)
struct Centroid {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Centroid;
    static constexpr bool Squares = true;
    // A division by a power of two, such as the 2 of two single objects,
    // is a multiplication by its inverse: the same number, rounded the same,
    // and cheaper on the x87 unit.
    struct Merge {
        int Na, Nb, Sum;
        long double Subtracted, Inverse;
        bool PowerOfTwo;
        Merge(long double d12, int na, int nb)
            : Na(na), Nb(nb), Sum(na + nb), Subtracted(d12 * (na * nb) / Sum), Inverse(1.0L / Sum),
              PowerOfTwo(std::has_single_bit(static_cast<unsigned>(Sum)))
        {
        }
    };
    static long double Update(const Merge& m, long double d1, long double d2, int)
    {
        const long double numerator = d1 * m.Na + d2 * m.Nb - m.Subtracted;
        return m.PowerOfTwo ? numerator * m.Inverse : numerator / m.Sum;
    }
};
// d1 / 2 + d2 / 2 - d12 / 4
struct Median {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Median;
    static constexpr bool Squares = true;
    struct Merge {
        long double Quarter;
        Merge(long double d12, int, int) : Quarter(d12 / 4) { }
    };
    static long double Update(const Merge& m, long double d1, long double d2, int)
    {
        return d1 / 2 + d2 / 2 - m.Quarter;
    }
};
// (d1 + d2) / 2
struct WeightedAverage {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Weighted;
    static constexpr bool Squares = false;
    struct Merge {
        Merge(long double, int, int) { }
    };
    static long double Update(const Merge&, long double d1, long double d2, int) { return (d1 + d2) / 2; }
};

} // namespace vantrel
