#pragma once

#include "engine/Agglomeration.h"

#include <cstdint>
#include <vector>

namespace vantrel {

struct AnalysisData;

// One node of a tree built by the literal pair-list procedure.
struct OracleNode {
    std::int32_t Id = 0;
    std::int32_t LeftId = 0; // 0 for a leaf
    std::int32_t RightId = 0;
    long double Height = 0.0L;
    // Ascending object numbers; for merged nodes only by group average.
    std::vector<std::int32_t> Members;
};

// Clusters the data with the slow, literal procedure: the pair list with its
// linear PairDistance, the cluster table with its linear SeekC, removal by
// shifting, every merge step in its written order. Returns every node in
// creation order (leaves 1..N, then the merges). Throws the same errors,
// the formulas' refusals included.
std::vector<OracleNode> LiteralMergeDissimilarities(const AnalysisData& data, Linkage linkage);
std::vector<OracleNode> LiteralMergeSimilarities(const AnalysisData& data, Linkage linkage);

} // namespace vantrel
