#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrel {

// One cluster ever formed, leaves included. Ids 1..N are the objects; merged
// clusters get N+1, N+2, ... in merge order, so the root has id 2N-1.
struct ClusterNode {
    std::int32_t Id = 0;
    // First and second merged child; both null for a leaf.
    ClusterNode* Left = nullptr;
    ClusterNode* Right = nullptr;
    // Written and read only by the dendrogram plot.
    long double PlotPosition = 0.0L;
    // The merge level; for leaves 0 (dissimilarities) or the similarity
    // leaves' level.
    long double Height = 0.0L;
    // The cluster's objects in ascending order. Set for leaves, and for
    // merged clusters only by group average, which needs it.
    std::vector<std::int32_t> Members;

    bool IsLeaf() const { return Left == nullptr; }
};

// A finished cluster tree. It owns its nodes and releases each exactly once.
class ClusterTree {
public:
    ClusterTree() = default;
    ClusterTree(ClusterTree&&) noexcept = default;
    ClusterTree& operator=(ClusterTree&&) noexcept = default;
    ~ClusterTree();

    // Appends a node; ids must be handed out in order 1, 2, 3, ...
    ClusterNode& Add(std::unique_ptr<ClusterNode> node);
    // Appends the leaves 1..count, each at `height` and holding its object.
    void AddLeaves(int count, long double height);

    // The node with the given id (1-based).
    ClusterNode& Node(std::int32_t id) { return *nodes_[id - 1]; }
    const ClusterNode& Node(std::int32_t id) const { return *nodes_[id - 1]; }
    // Every node in creation order: leaves 1..N, then merges N+1..2N-1.
    const std::vector<std::unique_ptr<ClusterNode>>& Nodes() const { return nodes_; }
    std::size_t Size() const { return nodes_.size(); }
    // The objects of a finished tree: N leaves and N - 1 merges.
    int LeafCount() const { return static_cast<int>((nodes_.size() + 1) / 2); }
    bool Empty() const { return nodes_.empty(); }

    // The last node formed: the root of a finished tree.
    ClusterNode& Root() { return *nodes_.back(); }
    const ClusterNode& Root() const { return *nodes_.back(); }

    // Releases every node now (FreeClusterTree); the tree is empty after.
    void Free();

private:
    std::vector<std::unique_ptr<ClusterNode>> nodes_;
};

} // namespace vantrel
