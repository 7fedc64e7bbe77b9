// Pages of trees whose levels reach the ends of the long double range: every
// stroke must land where the level's share of the range puts it.

#include "print/Dendrogram.h"

#include "print/RecordingCanvas.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using testing::DataWithLabels;
using testing::TreeBuilder;

// H = 40, W = 60, P = 900: leaves at x = 120, each 1/N of the range 60 wide.
RecordingCanvas Page() { return RecordingCanvas(40, 12, 900); }

// The x of every bracket's vertical stroke, in drawing order.
std::vector<int> MergeXs(const RecordingCanvas& canvas)
{
    std::vector<int> xs;
    const auto lines = canvas.Lines();
    for (std::size_t k = 3; k < lines.size(); ++k)
        if (lines[k].X1 == lines[k].X2 && lines[k].Y1 != lines[k].Y2)
            xs.push_back(lines[k].X1);
    return xs;
}

struct LevelCase {
    const char* Name;
    long double First, Root; // merges (1,2) and (4,3)
    std::vector<int> Xs;
    const char* RootText;
};

TEST(DendrogramEdges, DissimilarityLevelsAtTheEndsOfTheRange)
{
    const LevelCase cases[] = {
        {"largest", LDBL_MAX / 3, LDBL_MAX, {180, 300}, "1.18973150E+4932"},
        {"1e-4000 to 1e4000", 1e-4000L, 1e4000L, {120, 300}, "1.00000000E+4000"},
        {"subnormal", LDBL_TRUE_MIN, 4 * LDBL_TRUE_MIN, {165, 300}, "0.00"},
        {"smallest normal", LDBL_MIN, 2 * LDBL_MIN, {210, 300}, "0.00"},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto data = DataWithLabels({"a", "b", "c"});
        TreeBuilder builder(3);
        builder.Merge(1, 2, c.First);
        builder.Merge(4, 3, c.Root);
        ClusterTree tree = builder.Take();
        RecordingCanvas canvas = Page();
        PrintDendrogram(*data, tree, 0, "12", canvas);
        EXPECT_EQ(MergeXs(canvas), c.Xs);
        EXPECT_EQ(canvas.Lines()[1].X2, 300); // the axis ends at the root
        EXPECT_EQ(canvas.Texts()[1].Text, c.RootText);
        EXPECT_EQ(canvas.Texts().back().X, 120 - 2 * 12);
    }
}

TEST(DendrogramEdges, SimilarityLevelsOfOppositeSignAtBothEnds)
{
    auto data = DataWithLabels({"a", "b", "c"});
    data->MaxSimilarity = LDBL_MAX;
    data->SimLeafHeight = LDBL_MAX;
    TreeBuilder builder(3, LDBL_MAX);
    builder.Merge(1, 2, LDBL_MAX);
    builder.Merge(4, 3, -LDBL_MAX);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = Page();
    PrintSimDendrogram(*data, tree, 0, "12", canvas);
    // The root lies twice the range below the leaves: 2 × N × s right of them.
    EXPECT_EQ(MergeXs(canvas), (std::vector<int>{120, 480}));
    EXPECT_EQ(canvas.Lines()[0].X1, 120);
}

// No positive similarity: leaves at 0, merges far below. The tree's own span
// is the range, so the root stands N steps right of the leaves.
TEST(DendrogramEdges, SimilaritiesFarBelowZeroStayOnThePage)
{
    auto data = DataWithLabels({"a", "b", "c"});
    TreeBuilder builder(3, 0.0L);
    builder.Merge(1, 2, -1e10L);
    builder.Merge(4, 3, -3e10L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = Page();
    PrintSimDendrogram(*data, tree, 0, "12", canvas);
    EXPECT_EQ(MergeXs(canvas), (std::vector<int>{180, 300}));
    EXPECT_EQ(canvas.Texts()[1].Text, "-3.00000000E+10");
}

// A chain of 1000 leaves whose levels double from 1e-4000 on; the page keeps
// every stroke between the leaves and the root.
TEST(DendrogramEdges, LevelsSpanningTheWholeRangeStayOnThePage)
{
    std::vector<std::string> labels(1000, "x");
    auto data = DataWithLabels(labels);
    TreeBuilder builder(1000);
    long double level = 1e-4000L;
    int top = builder.Merge(1, 2, level);
    for (int id = 3; id <= 1000; ++id)
        top = builder.Merge(id, top, level *= 1e8L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas(40, 12, 4800);
    PrintDendrogram(*data, tree, 0, "12", canvas);
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 3u + 3u * 999u);
    const int right = canvas.Lines()[1].X2;
    EXPECT_LE(right, 4800);
    for (const auto& line : lines) {
        EXPECT_GE(line.X1, 120);
        EXPECT_LE(line.X2, right);
    }
}

} // namespace
} // namespace vantrel
