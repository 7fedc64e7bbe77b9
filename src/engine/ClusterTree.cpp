#include "engine/ClusterTree.h"

namespace vantrel {

ClusterTree::~ClusterTree() = default;

ClusterNode& ClusterTree::Add(std::unique_ptr<ClusterNode> node)
{
    nodes_.push_back(std::move(node));
    return *nodes_.back();
}

void ClusterTree::AddLeaves(int count, long double height)
{
    for (int c = 1; c <= count; ++c) {
        auto leaf = std::make_unique<ClusterNode>();
        leaf->Id = c;
        leaf->Height = height;
        leaf->Members = {c};
        Add(std::move(leaf));
    }
}

void ClusterTree::Free() { nodes_.clear(); }

} // namespace vantrel
