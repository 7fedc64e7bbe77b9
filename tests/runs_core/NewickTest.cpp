// The Newick writer, checked by reading its output back.
#include "runs/core/Newick.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace vantrel {
namespace {

using testing::TreeBuilder;

// A node read back: a leaf's label, or the two parts of a merge.
struct ReadNode {
    std::string Label;
    std::vector<ReadNode> Parts;
    std::optional<long double> Length;
};

// A reader of the subset the writer uses: binary merges, quoted or bare
// labels, ":" lengths. Fails the test on anything else.
class NewickReader {
public:
    explicit NewickReader(std::string text) : text_(std::move(text)) { }

    ReadNode ReadTree()
    {
        ReadNode root = ReadSubtree();
        Expect(';');
        EXPECT_EQ(at_, text_.size()) << "text after the ';'";
        return root;
    }

private:
    ReadNode ReadSubtree()
    {
        ReadNode node;
        if (Peek() == '(') {
            ++at_;
            node.Parts.push_back(ReadSubtree());
            Expect(',');
            node.Parts.push_back(ReadSubtree());
            Expect(')');
        } else {
            node.Label = ReadLabel();
        }
        if (Peek() == ':') {
            ++at_;
            const char* begin = text_.c_str() + at_;
            char* end = nullptr;
            node.Length = std::strtold(begin, &end);
            at_ += static_cast<std::size_t>(end - begin);
        }
        return node;
    }

    std::string ReadLabel()
    {
        std::string label;
        if (Peek() != '\'') {
            while (at_ < text_.size() &&
                   std::string_view("(),:;'").find(text_[at_]) == std::string_view::npos)
                label += text_[at_++];
            EXPECT_EQ(label.find_first_of(" []_"), std::string::npos) << "bare label " << label;
            return label;
        }
        for (++at_; at_ < text_.size(); ++at_) {
            if (text_[at_] == '\'') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
                    label += text_[++at_];
                    continue;
                }
                ++at_;
                return label;
            }
            label += text_[at_];
        }
        ADD_FAILURE() << "unclosed quote";
        return label;
    }

    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void Expect(char c)
    {
        EXPECT_EQ(Peek(), c) << "at " << at_ << " of " << text_;
        ++at_;
    }

    std::string text_;
    std::size_t at_ = 0;
};

// Compares what was read with the tree: same shape, Left before Right, the
// labels, and each branch as |parent level - own level|, to the last bit.
void ExpectSameTree(const ReadNode& read, const ClusterNode& node, const ClusterNode* parent,
                    const std::vector<std::string>& labels)
{
    if (parent) {
        ASSERT_TRUE(read.Length) << "node " << node.Id;
        EXPECT_EQ(*read.Length, std::fabs(parent->Height - node.Height)) << "node " << node.Id;
    } else {
        EXPECT_FALSE(read.Length) << "the root has no length";
    }
    if (node.IsLeaf()) {
        EXPECT_TRUE(read.Parts.empty());
        EXPECT_EQ(read.Label, labels[static_cast<std::size_t>(node.Id - 1)]);
        return;
    }
    ASSERT_EQ(read.Parts.size(), 2U) << "node " << node.Id;
    ExpectSameTree(read.Parts[0], *node.Left, &node, labels);
    ExpectSameTree(read.Parts[1], *node.Right, &node, labels);
}

TEST(Newick, SmallTreeReadsAsWritten)
{
    // Complete linkage of d(1,2) = 1, d(1,3) = 4, d(2,3) = 2.
    TreeBuilder builder(3);
    builder.Merge(1, 2, 1.0L);
    builder.Merge(3, 4, 4.0L);
    EXPECT_EQ(NewickText(builder.Take(), {"a", "b", "c"}), "(c:4,(a:1,b:1):3);");
}

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
        ExpectSameTree(NewickReader(text).ReadTree(), tree.Root(), nullptr, labels);
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
