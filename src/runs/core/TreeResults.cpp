#include "runs/core/TreeResults.h"

#include "common/Errors.h"
#include "platform/core/Locale.h"

#include <algorithm>
#include <cmath>

namespace vantrel {
namespace {

// The clusters left when exactly the merges flagged in `kept` (by id; only
// merges are read) are made. Every kept merge's own merges must be kept.
// Top-down, each node learns the highest kept merge above it; the objects
// under one such merge form a cluster, every other object one of its own.
ObjectClusters ClustersOfKeptMerges(const ClusterTree& tree, const std::vector<bool>& kept)
{
    const int n = tree.LeafCount();
    const auto size = static_cast<std::int32_t>(tree.Size());
    std::vector<std::int32_t> owner(static_cast<std::size_t>(size) + 1, 0);
    for (std::int32_t id = size; id > n; --id) {
        const ClusterNode& node = tree.Node(id);
        const std::int32_t above = owner[static_cast<std::size_t>(id)];
        if (above == 0 && kept[static_cast<std::size_t>(id)])
            owner[static_cast<std::size_t>(id)] = id;
        for (const ClusterNode* child : {node.Left, node.Right})
            owner[static_cast<std::size_t>(child->Id)] = owner[static_cast<std::size_t>(id)];
    }
    ObjectClusters clusters(static_cast<std::size_t>(n), 0);
    std::vector<int> number(static_cast<std::size_t>(size) + 1, 0);
    int next = 0;
    for (std::int32_t object = 1; object <= n; ++object) {
        const std::int32_t key =
            owner[static_cast<std::size_t>(object)] != 0 ? owner[static_cast<std::size_t>(object)] : object;
        int& cluster = number[static_cast<std::size_t>(key)];
        if (cluster == 0)
            cluster = ++next;
        clusters[static_cast<std::size_t>(object - 1)] = cluster;
    }
    return clusters;
}

// The largest magnitude of the pair values, or 1 when all are zero: values
// divided by it stay within ±1, so squares and sums cannot overflow.
long double ScaleOf(const TriangularMatrix& values, int n)
{
    long double largest = 0.0L;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            largest = std::max(largest, std::fabs(values(i, j)));
    return largest > 0.0L ? largest : 1.0L;
}

long double MeanOf(const TriangularMatrix& values, int n, long double scale)
{
    long double sum = 0.0L;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            sum += values(i, j) / scale;
    const long double pairs = static_cast<long double>(n) * (n - 1) / 2;
    return sum / pairs;
}

} // namespace

std::string LevelText(long double level) { return FormatInCLocale("%.21Lg", level); }

std::vector<ScheduleRow> AgglomerationSchedule(const ClusterTree& tree)
{
    const int n = tree.LeafCount();
    std::vector<int> size(tree.Size() + 1, 1);
    std::vector<ScheduleRow> rows;
    for (const auto& node : tree.Nodes()) {
        if (node->IsLeaf())
            continue;
        int& objects = size[static_cast<std::size_t>(node->Id)];
        objects =
            size[static_cast<std::size_t>(node->Left->Id)] + size[static_cast<std::size_t>(node->Right->Id)];
        rows.push_back({node->Id - n, node->Id, node->Left->Id, node->Right->Id, node->Height, objects});
    }
    return rows;
}

void CheckClusterCount(long long clusterCount, int objectCount)
{
    if (clusterCount < 1 || clusterCount > objectCount)
        throw Error("A cut into " + std::to_string(clusterCount) +
                    " clusters is not possible: the number of "
                    "clusters must be from 1 to " +
                    std::to_string(objectCount) + ", the number of objects.");
}

ObjectClusters CutIntoClusters(const ClusterTree& tree, long long clusterCount)
{
    const int n = tree.LeafCount();
    CheckClusterCount(clusterCount, n);
    // Merges n+1 .. 2n-k stay; merges come after their parts, so this keeps
    // every merge's own merges too.
    std::vector<bool> kept(tree.Size() + 1, false);
    const int lastKept = 2 * n - static_cast<int>(clusterCount);
    for (int id = n + 1; id <= lastKept; ++id)
        kept[static_cast<std::size_t>(id)] = true;
    return ClustersOfKeptMerges(tree, kept);
}

ObjectClusters CutAtLevel(const ClusterTree& tree, long double level, bool similarity)
{
    const int n = tree.LeafCount();
    std::vector<bool> kept(tree.Size() + 1, true);
    for (const auto& node : tree.Nodes()) {
        if (node->IsLeaf())
            continue;
        const bool within = similarity ? node->Height >= level : node->Height <= level;
        const auto part = [&](const ClusterNode* child) {
            return child->Id <= n || kept[static_cast<std::size_t>(child->Id)];
        };
        kept[static_cast<std::size_t>(node->Id)] = within && part(node->Left) && part(node->Right);
    }
    return ClustersOfKeptMerges(tree, kept);
}

int CountInversions(const ClusterTree& tree, bool similarity)
{
    int inversions = 0;
    for (const auto& node : tree.Nodes()) {
        if (node->IsLeaf())
            continue;
        const auto below = [&](const ClusterNode* part) {
            if (part->IsLeaf())
                return false;
            return similarity ? node->Height > part->Height : node->Height < part->Height;
        };
        if (below(node->Left) || below(node->Right))
            ++inversions;
    }
    return inversions;
}

TriangularMatrix CopheneticLevels(const ClusterTree& tree)
{
    const int n = tree.LeafCount();
    TriangularMatrix levels(n);
    // The objects under each node; a merge takes over its parts' lists.
    std::vector<std::vector<std::int32_t>> objects(tree.Size() + 1);
    for (const auto& node : tree.Nodes()) {
        auto& mine = objects[static_cast<std::size_t>(node->Id)];
        if (node->IsLeaf()) {
            mine = {node->Id};
            continue;
        }
        auto& left = objects[static_cast<std::size_t>(node->Left->Id)];
        auto& right = objects[static_cast<std::size_t>(node->Right->Id)];
        for (const std::int32_t a : left)
            for (const std::int32_t b : right)
                levels(std::max(a, b), std::min(a, b)) = node->Height;
        mine = std::move(left);
        mine.insert(mine.end(), right.begin(), right.end());
        right = {};
    }
    return levels;
}

CopheneticCorrelation CorrelateCophenetic(const TriangularMatrix& levels, const TriangularMatrix& input,
                                          int objectCount)
{
    // Two passes, pairs row by row ((2,1), (3,1), (3,2), ...): the means,
    // then the sums of the deviations' products, all in 80 bits.
    const int n = objectCount;
    const long double xScale = ScaleOf(levels, n);
    const long double yScale = ScaleOf(input, n);
    const long double xMean = n >= 2 ? MeanOf(levels, n, xScale) : 0.0L;
    const long double yMean = n >= 2 ? MeanOf(input, n, yScale) : 0.0L;
    long double sxx = 0.0L;
    long double syy = 0.0L;
    long double sxy = 0.0L;
    for (int i = 2; i <= n; ++i) {
        for (int j = 1; j < i; ++j) {
            const long double dx = levels(i, j) / xScale - xMean;
            const long double dy = input(i, j) / yScale - yMean;
            sxx += dx * dx;
            syy += dy * dy;
            sxy += dx * dy;
        }
    }
    CopheneticCorrelation result;
    result.LevelsConstant = sxx == 0.0L;
    result.InputConstant = syy == 0.0L;
    if (!result.LevelsConstant && !result.InputConstant)
        result.R = std::clamp(sxy / (std::sqrt(sxx) * std::sqrt(syy)), -1.0L, 1.0L);
    return result;
}

std::string CopheneticCorrelationLine(const CopheneticCorrelation& correlation)
{
    const std::string head = "cophenetic correlation: ";
    if (correlation.R)
        return head + LevelText(*correlation.R);
    std::string reason;
    if (correlation.LevelsConstant && correlation.InputConstant)
        reason = "neither the cophenetic levels nor the input values vary";
    else if (correlation.LevelsConstant)
        reason = "the cophenetic levels do not vary";
    else
        reason = "the input values do not vary";
    return head + "undefined (" + reason + ")";
}

} // namespace vantrel
