// The fast engine against the literal pair-list procedure on random data:
// every node's id, children and height (bit for bit) must agree, for every
// method on dissimilarities and every method that takes them on
// similarities, or both must refuse the data with the same message (ward,
// centroid and median get the magnitudes of the values, so that they
// cluster the same shapes). Tie-heavy data exercise the order rules;
// signed zeros the exact update branches; continuous data the rounding of
// the means and formulas. The
// engine compares 64-bit keys and falls back to the 80-bit values only when
// keys are equal: near ties (distinct values with one key), decimal ties
// (equal values whose keys are not exact) and extremes beyond the range of
// a double exercise that fallback. The worst-case shapes of the benchmark
// (WorstCases.h) run at small sizes.

#include "EngineTestSupport.h"
#include "LiteralOracle.h"
#include "WorstCases.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

namespace vantrel {
namespace {

enum class Values {
    SmallIntegers, // 0..3: heavy ties
    AllEqual, // one value everywhere
    Continuous, // uniform in [0, 1)
    Signed, // uniform in [-1, 1)
    AllNegative, // -3..-0.5 in halves
    SignedZeros, // -0, +0 and 1
    Halves, // 0, 0.5, 1: ties among averages too
    PlaneDistances, // distances of integer points: metric with ties
    NearTies, // 2 + k * 2^-62, k = 0..3: distinct values, one key
    DecimalTies, // 0.1, 0.2, 0.3: ties whose keys are not the values
    Extremes, // beyond a double's range, subnormals, zeros, ones
    Count
};

const char* Name(Values values)
{
    static const char* const names[] = {"SmallIntegers", "AllEqual",    "Continuous", "Signed",
                                        "AllNegative",   "SignedZeros", "Halves",     "PlaneDistances",
                                        "NearTies",      "DecimalTies", "Extremes"};
    return names[static_cast<int>(values)];
}

void Fill(TriangularMatrix& matrix, int n, Values kind, std::mt19937_64& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const long double constant = static_cast<long double>(pick(5)) - 2.0L;
    std::vector<std::pair<int, int>> points(n + 1);
    for (auto& point : points)
        point = {pick(6), pick(6)};
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            long double value = 0.0L;
            switch (kind) {
            case Values::SmallIntegers:
                value = pick(4);
                break;
            case Values::AllEqual:
                value = constant;
                break;
            case Values::Continuous:
                value = unit(random);
                break;
            case Values::Signed:
                value = 2.0L * unit(random) - 1.0L;
                break;
            case Values::AllNegative:
                value = -0.5L * (1 + pick(6));
                break;
            case Values::SignedZeros: {
                const int choice = pick(3);
                value = choice == 0 ? -0.0L : choice == 1 ? 0.0L : 1.0L;
                break;
            }
            case Values::Halves:
                value = 0.5L * pick(3);
                break;
            case Values::PlaneDistances: {
                const long double dx = points[i].first - points[j].first;
                const long double dy = points[i].second - points[j].second;
                value = std::sqrt(dx * dx + dy * dy);
                break;
            }
            case Values::NearTies:
                value = 2.0L + pick(4) * 0x1p-62L;
                break;
            case Values::DecimalTies:
                value = (1 + pick(3)) / 10.0L;
                break;
            case Values::Extremes: {
                // Far beyond a double, yet no group-average sum overflows.
                static const long double extremes[] = {
                    1e4900L,        -1e4900L,      1e4000L, -1e4000L, 1e-4000L,
                    -1e-4000L,      LDBL_TRUE_MIN, DBL_MAX, -DBL_MAX, static_cast<long double>(DBL_MAX) * 2,
                    DBL_MIN,        DBL_MIN / 4,   0.0L,    -0.0L,    1.0L,
                    1.0L + 0x1p-63L};
                value = extremes[pick(static_cast<int>(std::size(extremes)))];
                break;
            }
            case Values::Count:
                break;
            }
            matrix(i, j) = value;
        }
}

// Runs every method on one random data set; false after the first mismatch.
bool CompareAllSteps(std::uint64_t seed, int n, Values kind)
{
    std::mt19937_64 random(seed);
    auto data = testing::EmptyData(n);
    Fill(data->DissimMatrix, n, kind, random);
    Fill(data->SimMatrix, n, kind, random);
    ComputeSimilarityLevels(*data);
    auto magnitudes = testing::EmptyData(n);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            magnitudes->DissimMatrix(i, j) = std::fabs(data->DissimMatrix(i, j));

    for (const bool similarities : {false, true})
        for (Linkage linkage : testing::SevenLinkages) {
            if (similarities && !AcceptsSimilarities(linkage))
                continue;
            SCOPED_TRACE("seed " + std::to_string(seed) + ", N " + std::to_string(n) + ", " + Name(kind) +
                         (similarities ? ", similarities, " : ", dissimilarities, ") + MethodKey(linkage));
            const std::string difference =
                testing::Disagreement(SquaresValues(linkage) ? *magnitudes : *data, linkage, similarities);
            EXPECT_EQ(difference, "");
            if (!difference.empty())
                return false;
        }
    return true;
}

TEST(EngineAgainstLiteralProcedure, SmallRandomDataSetsOfEveryKind)
{
    std::mt19937_64 seeds(20261208);
    for (int round = 0; round < 40; ++round)
        for (int kind = 0; kind < static_cast<int>(Values::Count); ++kind) {
            const std::uint64_t seed = seeds();
            const int n = 2 + static_cast<int>(seed % 39);
            if (!CompareAllSteps(seed, n, static_cast<Values>(kind)))
                return;
        }
}

TEST(EngineAgainstLiteralProcedure, LargerDataSets)
{
    std::mt19937_64 seeds(77);
    const Values kinds[] = {Values::SmallIntegers, Values::Continuous, Values::Halves, Values::SignedZeros};
    for (int k = 0; k < 4; ++k) {
        const std::uint64_t seed = seeds();
        if (!CompareAllSteps(seed, 100 + 10 * k, kinds[k]))
            return;
    }
}

// Larger data sets whose keys need the exact values, past the sizes at
// which the engine compacts its tables.
TEST(EngineAgainstLiteralProcedure, LargerDataSetsWithoutExactKeys)
{
    std::mt19937_64 seeds(78);
    const Values kinds[] = {Values::NearTies, Values::DecimalTies, Values::Extremes, Values::PlaneDistances};
    for (int k = 0; k < 4; ++k) {
        const std::uint64_t seed = seeds();
        if (!CompareAllSteps(seed, 90 + 7 * k, kinds[k]))
            return;
    }
}

// The shapes that defeat the engine's shortcuts, at sizes the literal
// procedure affords; 64 and more objects also move the clusters together
// (compaction) and make renewed clusters remember more partners.
TEST(EngineAgainstLiteralProcedure, WorstCaseShapes)
{
    for (const testing::WorstCase& shape : testing::WorstCases())
        for (const int n : {5, 17, 40, 72}) {
            SCOPED_TRACE(std::string(shape.Name) + ", N " + std::to_string(n));
            auto data = testing::EmptyData(n);
            testing::FillWorstCase(*data, shape.Shape);
            for (const bool similarities : {false, true})
                for (Linkage linkage : testing::SevenLinkages) {
                    if (similarities && !AcceptsSimilarities(linkage))
                        continue;
                    SCOPED_TRACE(std::string(similarities ? "similarities, " : "dissimilarities, ") +
                                 MethodKey(linkage));
                    EXPECT_EQ(testing::Disagreement(*data, linkage, similarities), "");
                }
        }
}

TEST(EngineAgainstLiteralProcedure, BothFailTheSameWayWithFewerThanTwoObjects)
{
    for (const int n : {0, 1}) {
        auto data = testing::EmptyData(n);
        for (Linkage linkage : testing::SevenLinkages) {
            std::string engine;
            std::string literal;
            try {
                MergeDissimilarities(*data, linkage);
            } catch (const Error& error) {
                engine = error.what();
            }
            try {
                LiteralMergeDissimilarities(*data, linkage);
            } catch (const Error& error) {
                literal = error.what();
            }
            EXPECT_EQ(engine, literal);
            EXPECT_EQ(engine, "Range error in SeekC");
        }
    }
}

} // namespace
} // namespace vantrel
