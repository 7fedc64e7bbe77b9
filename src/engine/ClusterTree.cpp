#include "engine/ClusterTree.h"

namespace vantrel {

ClusterTree::~ClusterTree() = default;

ClusterNode& ClusterTree::Add(std::unique_ptr<ClusterNode> node)
{
    nodes_.push_back(std::move(node));
    return *nodes_.back();
}

void ClusterTree::Free()
{
    nodes_.clear();
}

} // namespace vantrel
