#pragma once

#include "engine/Methods.h"

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
// at the list value d12; x holds nx objects. Each is written exactly as
// defined and evaluated left to right: a * b * c / d is ((a * b) * c) / d.
// The parts that are the same for every x of a merge (Merge) are its own
// subexpressions, computed once per merge by the same operations, so they
// round the same. Ward's method, the centroid and the median method keep
// squared dissimilarities (the list is filled with d * d) and stand a merge
// at the signed square root of its value; weighted average keeps the
// values as they are.
inline long double SignedRoot(long double value) { return value >= 0 ? sqrtl(value) : -sqrtl(-value); }

// ((nx + na) * d1 + (nx + nb) * d2 - nx * d12) / (nx + na + nb)
struct Ward {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Ward;
    static constexpr bool Squares = true;
    struct Merge {
        long double D12, Na, Nb;
        Merge(long double d12, long double na, long double nb) : D12(d12), Na(na), Nb(nb) { }
    };
    static long double Update(const Merge& m, long double d1, long double d2, long double nx)
    {
        return ((nx + m.Na) * d1 + (nx + m.Nb) * d2 - nx * m.D12) / (nx + m.Na + m.Nb);
    }
};
// (na * d1 + nb * d2 - na * nb * d12 / (na + nb)) / (na + nb)
struct Centroid {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Centroid;
    static constexpr bool Squares = true;
    struct Merge {
        long double Na, Nb, Subtracted, Sum;
        Merge(long double d12, long double na, long double nb)
            : Na(na), Nb(nb), Subtracted(na * nb * d12 / (na + nb)), Sum(na + nb)
        {
        }
    };
    static long double Update(const Merge& m, long double d1, long double d2, long double)
    {
        return (m.Na * d1 + m.Nb * d2 - m.Subtracted) / m.Sum;
    }
};
// d1 / 2 + d2 / 2 - d12 / 4
struct Median {
    static constexpr NewValues Values = NewValues::Formula;
    static constexpr Linkage Method = Linkage::Median;
    static constexpr bool Squares = true;
    struct Merge {
        long double Quarter;
        Merge(long double d12, long double, long double) : Quarter(d12 / 4) { }
    };
    static long double Update(const Merge& m, long double d1, long double d2, long double)
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
        Merge(long double, long double, long double) { }
    };
    static long double Update(const Merge&, long double d1, long double d2, long double)
    {
        return (d1 + d2) / 2;
    }
};

} // namespace vantrel
