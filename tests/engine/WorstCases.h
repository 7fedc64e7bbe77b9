#pragma once

// Data shapes that defeat the engine's shortcuts, shared by the oracle tests
// (at small sizes) and bench/engine_bench (at N = 1000). Similarities are
// the negated dissimilarities, so that both directions meet the same shape.

#include "engine/AnalysisData.h"

#include <cmath>

#include <cstdint>
#include <vector>

namespace vantrel::testing {

enum class WorstShape {
    AllEqual, // one value everywhere: every comparison is a tie
    Chain, // objects at i^2 on a line: the deepest single-linkage tree
    GeometricLine, // objects at 1.5^i on a line: every method adds one object per merge
    HeavyTies, // 0..3 at random: few values, many ties
    DecimalTies, // 0.1..0.9 at random: ties whose keys are not the values
    NearTies, // 1 + k * 2^-63 at random: distinct values that share one key
    Renewals, // renewed candidates that come out on top again and again
    Inversions, // 1..2 at random: no Euclidean shape, centroid and median invert often
};

struct WorstCase {
    WorstShape Shape;
    const char* Name;
};

inline const std::vector<WorstCase>& WorstCases()
{
    static const std::vector<WorstCase> cases = {
        {WorstShape::AllEqual, "all equal"},         {WorstShape::Chain, "chain (i^2)"},
        {WorstShape::GeometricLine, "line (1.5^i)"}, {WorstShape::HeavyTies, "heavy ties (0..3)"},
        {WorstShape::DecimalTies, "decimal ties"},   {WorstShape::NearTies, "near ties (one key)"},
        {WorstShape::Renewals, "renewal adversary"}, {WorstShape::Inversions, "inversions (1..2)"},
    };
    return cases;
}

// A fixed pseudo-random number for the pair (i, j), the same on every run.
inline std::uint64_t PairHash(int i, int j)
{
    std::uint64_t x = static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(j) * 0xC2B2AE3D27D4EB4Full;
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    return x;
}

// The renewal adversary. Objects 1..K (K = N/2, rounded down to even) are
// cores in pairs (2k-1, 2k) at distance 4k; every other object ("outer") is
// at 4k + 2 from each odd core 2k-1 and far from everything else. Each
// outer object's candidate is the lowest odd core alive. Merging the core
// pair k makes all outer candidates stale with the bound 4k + 2, below the
// next core pair's 4k + 4, so every one of them comes out on top and is
// renewed before that next merge, and again after it: N/2 renewals per core
// merge, N^2/8 in all. The last four core pairs stay apart; their odd cores
// are then the outer objects' candidates, found among the partners the
// renewed clusters remembered, and merged with them one by one.
inline long double RenewalValue(int i, int j, int n)
{
    const int cores = (n / 2) & ~1;
    // Far values are (almost always) distinct, so that the candidates the
    // renewed clusters end up with decide the rest of the tree.
    const long double far = 4.0L * n + 8 + static_cast<long double>(PairHash(i, j) % 1000000007u);
    if (i <= cores)
        return j % 2 == 1 && i == j + 1 && i <= cores - 8 ? 4.0L * ((j + 1) / 2) : far;
    if (j <= cores && j % 2 == 1)
        return 4.0L * ((j + 1) / 2) + 2;
    return far;
}

inline long double WorstValue(WorstShape shape, int i, int j, int n)
{
    switch (shape) {
    case WorstShape::AllEqual:
        return 1.0L;
    case WorstShape::Chain:
        return static_cast<long double>(i) * i - static_cast<long double>(j) * j;
    case WorstShape::GeometricLine:
        return std::pow(1.5L, static_cast<long double>(i)) - std::pow(1.5L, static_cast<long double>(j));
    case WorstShape::HeavyTies:
        return static_cast<long double>(PairHash(i, j) % 4);
    case WorstShape::DecimalTies:
        return static_cast<long double>(1 + PairHash(i, j) % 9) / 10.0L;
    case WorstShape::NearTies:
        return 1.0L + static_cast<long double>(PairHash(i, j) % 8) * 0x1p-63L;
    case WorstShape::Renewals:
        return RenewalValue(i, j, n);
    case WorstShape::Inversions:
        return 1.0L + static_cast<long double>(PairHash(i, j) >> 11) * 0x1p-53L;
    }
    return 0.0L;
}

// Fills both matrices of data for its ObjectCount: the shape's values as
// dissimilarities, their negatives as similarities.
inline void FillWorstCase(AnalysisData& data, WorstShape shape)
{
    const int n = data.ObjectCount;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            const long double value = WorstValue(shape, i, j, n);
            data.DissimMatrix(i, j) = value;
            data.SimMatrix(i, j) = -value;
        }
    ComputeSimilarityLevels(data);
}

} // namespace vantrel::testing
