#pragma once

namespace vantrel {

// Which value of two is merged first. Dissimilarities merge the smallest
// value first, similarities the largest. Only a strictly better value wins,
// so equal values (including -0 against +0) keep the earlier candidate.
struct SmallestFirst {
    static bool Better(long double candidate, long double best) { return candidate < best; }
};
struct LargestFirst {
    static bool Better(long double candidate, long double best) { return candidate > best; }
};

// How the value of a merged cluster to another cluster x follows from d1, the
// value of x to the first merged cluster, and d2, the value of x to the
// second. The branches are written out rather than std::max/min: on equal
// values d2 is kept, and -0 and +0 compare equal but are different values.
struct TakeLarger {
    static constexpr bool UsesMembers = false;
    static long double Combine(long double d1, long double d2) { return d2 >= d1 ? d2 : d1; }
};
struct TakeSmaller {
    static constexpr bool UsesMembers = false;
    static long double Combine(long double d1, long double d2) { return d2 <= d1 ? d2 : d1; }
};
// The mean over all object pairs between the two clusters, summed from the
// input matrix every time (see Agglomeration.cpp).
struct GroupAverage {
    static constexpr bool UsesMembers = true;
};

} // namespace vantrel
