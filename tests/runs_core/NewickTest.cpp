// The Newick writer, checked by reading its output back.
#include "runs/core/Newick.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace vantrel {
namespace {

using testing::TreeBuilder;

// Reads a Newick text back against the tree it was written from: the same
// shape with Left first, the labels, and every branch but the root's as
// |parent level - own level| to the last bit.
class NewickChecker {
public:
    NewickChecker(std::string text, const std::vector<std::string>& labels)
        : text_(std::move(text)), labels_(labels)
    {
    }

    void Check(const ClusterTree& tree)
    {
        Subtree(tree.Root(), nullptr);
        EXPECT_EQ(text_.substr(at_), ";") << "the root has no length; nothing follows";
    }

private:
    void Subtree(const ClusterNode& node, const ClusterNode* parent)
    {
        if (node.IsLeaf()) {
            EXPECT_EQ(Label(), labels_[static_cast<std::size_t>(node.Id - 1)]);
        } else {
            Expect('(');
            Subtree(*node.Left, &node);
            Expect(',');
            Subtree(*node.Right, &node);
            Expect(')');
        }
        if (!parent)
            return;
        Expect(':');
        char* end = nullptr;
        const long double length = std::strtold(text_.c_str() + at_, &end);
        at_ = static_cast<std::size_t>(end - text_.c_str());
        EXPECT_EQ(length, std::fabs(parent->Height - node.Height)) << "node " << node.Id;
    }

    // A bare label runs to the next structure character; a quoted one to
    // its closing quote, '' standing for one quote.
    std::string Label()
    {
        std::string label;
        if (text_[at_] != '\'') {
            while (at_ < text_.size() && std::string_view("(),:;").find(text_[at_]) == std::string_view::npos)
                label += text_[at_++];
            EXPECT_EQ(label.find_first_of(" []'_"), std::string::npos) << "bare label " << label;
            return label;
        }
        for (++at_; at_ < text_.size(); ++at_) {
            if (text_[at_] == '\'' && text_[++at_] != '\'')
                return label;
            label += text_[at_];
        }
        ADD_FAILURE() << "unclosed quote";
        return label;
    }

    void Expect(char c)
    {
        EXPECT_EQ(text_[at_], c) << "at " << at_ << " of " << text_;
        ++at_;
    }

    std::string text_;
    const std::vector<std::string>& labels_;
    std::size_t at_ = 0;
};

TEST(Newick, LabelsAndLengthsReadBack)
{
    // Labels a reader would take apart, a double-byte character whose second
    // byte is "[" (ー), an empty label, and levels that are not short
    // decimals, on a dissimilarity and a similarity tree.
    const std::vector<std::string> labels = {
        "a b", "it's", "x(1)", "p:q", "r;s", "t,u", "[v]", "w_x", "plain", Sjis("コーヒー"), "", "tab\there",
    };
    TreeBuilder dissim(12);
    TreeBuilder sim(12, 1.1L);
    long double level = 0.1L;
    for (int left = 1, next = 13; next <= 23; left = next++, level += 1.0L / 3) {
        dissim.Merge(left, next - 11, level);
        sim.Merge(left, next - 11, 1.0L - level / 10);
    }
    for (TreeBuilder* builder : {&dissim, &sim}) {
        const ClusterTree tree = builder->Take();
        const std::string text = NewickText(tree, labels);
        SCOPED_TRACE(text);
        NewickChecker(text, labels).Check(tree);
    }
    EXPECT_EQ(NewickLabel("it's"), "'it''s'");
    EXPECT_EQ(NewickLabel(Sjis("りんご")), Sjis("りんご"));
}

TEST(Newick, BranchBeyondTheRangeFails)
{
    TreeBuilder builder(3);
    builder.Merge(1, 2, -1.1e4932L);
    builder.Merge(4, 3, 1.1e4932L);
    EXPECT_THROW(NewickText(builder.Take(), {"a", "b", "c"}), Error);
}

} // namespace
} // namespace vantrel
