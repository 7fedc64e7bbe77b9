#include "runs/core/Newick.h"

#include "common/Errors.h"
#include "runs/core/TreeResults.h"

#include <cmath>

namespace vantrel {
namespace {

bool NeedsQuotes(std::string_view label)
{
    for (const char c : label)
        if (static_cast<unsigned char>(c) <= 32 ||
            std::string_view("()[]':;,_").find(c) != std::string_view::npos)
            return true;
    return false;
}

std::string BranchLength(const ClusterNode& node, const ClusterNode& parent)
{
    const long double length = std::fabs(parent.Height - node.Height);
    if (!std::isfinite(length))
        throw Error("The tree cannot be written in Newick format: the branch above cluster " +
                    std::to_string(node.Id) + " is longer than the largest number.");
    return ":" + LevelText(length);
}

} // namespace

std::string NewickLabel(std::string_view label)
{
    if (!NeedsQuotes(label))
        return std::string(label);
    std::string quoted = "'";
    for (const char c : label) {
        if (c == '\'')
            quoted += '\'';
        quoted += c;
    }
    return quoted + "'";
}

std::string NewickText(const ClusterTree& tree, const std::vector<std::string>& labels)
{
    if (tree.Empty())
        throw Error("There is no cluster tree to write.");
    std::vector<const ClusterNode*> parent(tree.Size() + 1, nullptr);
    for (const auto& node : tree.Nodes())
        if (!node->IsLeaf())
            parent[static_cast<std::size_t>(node->Left->Id)] =
                parent[static_cast<std::size_t>(node->Right->Id)] = node.get();

    // Depth-first on an explicit stack, so that a chain of any depth is safe:
    // a node is visited on the way down and, if merged, once more after its
    // two parts to close its parenthesis.
    struct Visit {
        const ClusterNode* Node;
        bool Closing;
    };
    std::string text;
    std::vector<Visit> stack{{&tree.Root(), false}};
    while (!stack.empty()) {
        const Visit visit = stack.back();
        stack.pop_back();
        if (visit.Node == nullptr) {
            text += ',';
            continue;
        }
        const ClusterNode& node = *visit.Node;
        if (!node.IsLeaf() && !visit.Closing) {
            text += '(';
            stack.push_back({&node, true});
            stack.push_back({node.Right, false});
            stack.push_back({nullptr, false}); // the comma between the parts
            stack.push_back({node.Left, false});
            continue;
        }
        if (node.IsLeaf())
            text += NewickLabel(labels.at(static_cast<std::size_t>(node.Id - 1)));
        else
            text += ')';
        if (const ClusterNode* above = parent[static_cast<std::size_t>(node.Id)])
            text += BranchLength(node, *above);
    }
    return text + ";";
}

} // namespace vantrel
