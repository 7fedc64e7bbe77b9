#pragma once

namespace vantrel {

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
    static constexpr bool UsesMembers = false;
    static constexpr bool Farther = true;
};
struct KeepNearer {
    static constexpr bool UsesMembers = false;
    static constexpr bool Farther = false;
};
// The mean over all object pairs between the two clusters, summed from the
// input matrix every time (see Agglomeration.cpp).
struct GroupAverage {
    static constexpr bool UsesMembers = true;
};

} // namespace vantrel
