#pragma once

#include "LiteralOracle.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vantrel::testing {

// The 80 significant bits of an extended real as text, so that -0 and +0,
// or two values one unit apart, never compare equal.
inline std::string Bits(long double value)
{
    unsigned char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    std::ostringstream out;
    out << std::hex;
    for (int k = 9; k >= 0; --k)
        out << (bytes[k] < 16 ? "0" : "") << static_cast<int>(bytes[k]);
    out << " (" << static_cast<double>(value) << ")";
    return out.str();
}

inline std::unique_ptr<AnalysisData> EmptyData(int n)
{
    auto data = std::make_unique<AnalysisData>();
    data->ObjectCount = n;
    return data;
}

// Fills the lower triangle row by row: rows 2..N, each from column 1, the
// order in which the values are listed.
inline void FillRows(TriangularMatrix& matrix, int n, std::initializer_list<long double> values)
{
    auto value = values.begin();
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            matrix(i, j) = *value++;
}

// One merge as (id, left id, right id, height).
struct Merge {
    std::int32_t Id;
    std::int32_t LeftId;
    std::int32_t RightId;
    long double Height;
};

inline std::vector<Merge> Merges(const ClusterTree& tree)
{
    std::vector<Merge> merges;
    for (const auto& node : tree.Nodes())
        if (!node->IsLeaf())
            merges.push_back({node->Id, node->Left->Id, node->Right->Id, node->Height});
    return merges;
}

// Empty when the engine's tree equals the oracle's node for node, heights
// bit for bit; otherwise a description of the first difference.
inline std::string Difference(const ClusterTree& tree, const std::vector<OracleNode>& expected,
                              bool compareMergedMembers)
{
    std::ostringstream out;
    if (tree.Size() != expected.size()) {
        out << "node count " << tree.Size() << " instead of " << expected.size();
        return out.str();
    }
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const ClusterNode& node = *tree.Nodes()[k];
        const OracleNode& want = expected[k];
        const std::int32_t leftId = node.Left ? node.Left->Id : 0;
        const std::int32_t rightId = node.Right ? node.Right->Id : 0;
        if (node.Id != want.Id || leftId != want.LeftId || rightId != want.RightId ||
            Bits(node.Height) != Bits(want.Height)) {
            out << "node " << k + 1 << ": got (" << node.Id << ", " << leftId << ", " << rightId << ", "
                << Bits(node.Height) << "), want (" << want.Id << ", " << want.LeftId << ", " << want.RightId
                << ", " << Bits(want.Height) << ")";
            return out.str();
        }
        if ((node.IsLeaf() || compareMergedMembers) && node.Members != want.Members) {
            out << "node " << node.Id << ": members differ";
            return out.str();
        }
        if (!node.IsLeaf() && (&tree.Node(leftId) != node.Left || &tree.Node(rightId) != node.Right)) {
            out << "node " << node.Id << ": children are not the tree's own nodes";
            return out.str();
        }
    }
    return {};
}

// Every method, in the order of the main window's list.
constexpr Linkage SevenLinkages[] = {Linkage::Complete, Linkage::Average, Linkage::Single,  Linkage::Ward,
                                     Linkage::Centroid, Linkage::Median,  Linkage::Weighted};

// Runs the engine and the literal procedure on the same data: empty when
// they build the same tree, or both refuse the data with the same message;
// otherwise what differs.
inline std::string Disagreement(const AnalysisData& data, Linkage linkage, bool similarities)
{
    std::string expectedError;
    std::vector<OracleNode> expected;
    try {
        expected = similarities ? LiteralMergeSimilarities(data, linkage)
                                : LiteralMergeDissimilarities(data, linkage);
    } catch (const Error& error) {
        expectedError = error.what();
    }
    try {
        const ClusterTree tree =
            similarities ? MergeSimilarities(data, linkage) : MergeDissimilarities(data, linkage);
        if (!expectedError.empty())
            return "a tree instead of the error \"" + expectedError + "\"";
        return Difference(tree, expected, linkage == Linkage::Average);
    } catch (const Error& error) {
        if (error.what() != expectedError)
            return "the error \"" + std::string(error.what()) + "\" instead of \"" + expectedError + "\"";
    }
    return {};
}

} // namespace vantrel::testing
