#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"

#include <memory>
#include <string>
#include <vector>

namespace vantrel::testing {

// Builds small cluster trees by hand: leaves 1..n first, then merges in id
// order, as the engine hands them out.
class TreeBuilder {
public:
    TreeBuilder(int leafCount, long double leafHeight = 0.0L)
    {
        for (int id = 1; id <= leafCount; ++id) {
            auto node = std::make_unique<ClusterNode>();
            node->Id = id;
            node->Height = leafHeight;
            node->Members = {id};
            tree_.Add(std::move(node));
        }
    }

    // Merges the clusters with ids `left` and `right` at `height`; returns the new id.
    int Merge(int left, int right, long double height)
    {
        auto node = std::make_unique<ClusterNode>();
        node->Id = static_cast<int>(tree_.Size()) + 1;
        node->Left = &tree_.Node(left);
        node->Right = &tree_.Node(right);
        node->Height = height;
        return tree_.Add(std::move(node)).Id;
    }

    ClusterTree Take() { return std::move(tree_); }

private:
    ClusterTree tree_;
};

// Shared data of n objects labelled by the given texts.
inline std::unique_ptr<AnalysisData> DataWithLabels(const std::vector<std::string>& labels)
{
    auto data = std::make_unique<AnalysisData>();
    data->ObjectCount = static_cast<int>(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        data->ObjectLabels[i + 1] = labels[i];
    return data;
}

} // namespace vantrel::testing
