// The pages of the four methods that span the tree's levels, the whole tree
// across pages, and the colours and notes of the shared drawing.
#include "print/DendrogramLayout.h"

#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vantrel {
namespace {

using testing::DataWithLabels;
using testing::TreeBuilder;
using Line = RecordingCanvas::Line;

std::vector<std::string> TextsOf(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const auto& t : canvas.Texts())
        texts.push_back(t.Text);
    return texts;
}

struct SpanCase {
    const char* Name;
    std::uint8_t DistType;
    bool Similarity;
    std::vector<long double> Levels; // merges (1,2), then (4,3) [, (5,6) with four leaves]
    std::vector<Line> Lines;
    std::vector<std::string> Texts;
};

TEST(DendrogramSpan, TheFourMethodsSpanEveryLevelOfTheTree)
{
    // H = 40, W = 60, P = 900: the axis is N steps of 60 from x = 120.
    const SpanCase cases[] = {
        // Range 0..2, u = 2/3: x = 90 h + 120. The root at 1.5 lies below its
        // part at 2: its bracket reaches back to the left.
        {"centroid inversion",
         4,
         false,
         {2.0L, 1.5L},
         {{120, 168, 120, 156},
          {120, 156, 300, 156},
          {300, 156, 300, 168},
          {120, 240, 300, 240},
          {300, 240, 300, 288},
          {300, 288, 120, 288},
          {300, 264, 255, 264},
          {255, 264, 255, 336},
          {255, 336, 120, 336}},
         {"0.0", "2.00", "重心法", "a", "b", "c"}},
        // Range -1..1: the leaves stand at x(0) = 210, the negative root left
        // of them at 120, where the axis and the labels begin.
        {"median below zero",
         5,
         false,
         {1.0L, -1.0L},
         {{120, 168, 120, 156},
          {120, 156, 300, 156},
          {300, 156, 300, 168},
          {210, 240, 300, 240},
          {300, 240, 300, 288},
          {300, 288, 210, 288},
          {300, 264, 120, 264},
          {120, 264, 120, 336},
          {120, 336, 210, 336}},
         {"-1.00", "1.00", "メディアン法", "a", "b", "c"}},
        // Similarities from the leaves' level 1.25 down to the root at 0.25:
        // u = 1/3, x = 180 (1.25 - v) + 120; the axis runs from the largest
        // similarity 1 to the root.
        {"weighted similarities",
         6,
         true,
         {1.0L, 0.25L},
         {{165, 168, 165, 156},
          {165, 156, 300, 156},
          {300, 156, 300, 168},
          {120, 240, 165, 240},
          {165, 240, 165, 288},
          {165, 288, 120, 288},
          {165, 264, 300, 264},
          {300, 264, 300, 336},
          {300, 336, 120, 336}},
         {"1", "0.25", "重み付き平均法＜類似度＞", "a", "b", "c"}},
    };
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto data = DataWithLabels({"a", "b", "c"});
        if (c.Similarity) {
            data->MaxSimilarity = 1.0L;
            data->SimLeafHeight = 1.25L;
        }
        TreeBuilder builder(3, c.Similarity ? 1.25L : 0.0L);
        builder.Merge(1, 2, c.Levels[0]);
        builder.Merge(4, 3, c.Levels[1]);
        ClusterTree tree = builder.Take();
        RecordingCanvas canvas(40, 12, 900);
        if (c.Similarity)
            PrintSimDendrogram(*data, tree, c.DistType, "12", canvas);
        else
            PrintDendrogram(*data, tree, c.DistType, "12", canvas);
        EXPECT_EQ(canvas.Lines(), c.Lines);
        std::vector<std::string> expected = c.Texts;
        expected[2] = Sjis(expected[2]);
        EXPECT_EQ(TextsOf(canvas), expected);
        // Labels end one blank before the tree's left edge, the caption starts there.
        EXPECT_EQ(canvas.Texts()[3].X, 120 - 24);
        EXPECT_EQ(canvas.Texts()[2].X, 120);
    }
}

TEST(DendrogramSpan, WardOnATreeWithoutInversionsDrawsTheCompleteLinkagePage)
{
    auto data = DataWithLabels({"a", "b", "c", "d"});
    const auto page = [&](std::uint8_t distType) {
        TreeBuilder builder(4);
        builder.Merge(1, 2, 1.0L);
        builder.Merge(3, 4, 3.0L);
        builder.Merge(5, 6, 8.0L);
        ClusterTree tree = builder.Take();
        RecordingCanvas canvas(40, 12, 900);
        PrintDendrogram(*data, tree, distType, "12", canvas);
        return canvas.Lines();
    };
    EXPECT_EQ(page(3), page(0));
}

// A chain of `n` leaves, each joining the cluster before it one level higher.
ClusterTree Chain(int n)
{
    TreeBuilder builder(n);
    int top = builder.Merge(1, 2, 1.0L);
    for (int id = 3; id <= n; ++id)
        top = builder.Merge(top, id, static_cast<long double>(id - 1));
    return builder.Take();
}

TEST(DendrogramWholeTree, ATreeTallerThanThePageContinuesOnPagesWithTheirOwnHeader)
{
    // Label k ends at 48 k + 212: six rows end above 500, and with the
    // edge below each row five; the header's texts end at 218.
    const int n = 12;
    std::vector<std::string> labels;
    for (int k = 1; k <= n; ++k)
        labels.push_back("o" + std::to_string(k));
    auto data = DataWithLabels(labels);
    ClusterTree tree = Chain(n);
    RecordingCanvas canvas(40, 12, 900, 500);
    const RowFit fit = PrintWholeDendrogram(*data, tree, 0, false, "12", canvas);
    EXPECT_EQ(fit.Lost, 0);

    // Split the commands at each new page.
    std::vector<std::vector<RecordingCanvas::Command>> pages(1);
    for (const auto& command : canvas.Commands()) {
        if (command.Kind == RecordingCanvas::Op::NewPage)
            pages.emplace_back();
        else
            pages.back().push_back(command);
    }
    ASSERT_EQ(pages.size(), 3u);
    std::map<std::string, int> labelsSeen;
    for (const auto& page : pages) {
        RecordingCanvas one;
        for (const auto& command : page) {
            if (command.Kind == RecordingCanvas::Op::MoveTo)
                one.MoveTo(command.X, command.Y);
            else if (command.Kind == RecordingCanvas::Op::LineTo)
                one.LineTo(command.X, command.Y);
            else if (command.Kind == RecordingCanvas::Op::TextOut)
                one.TextOut(command.X, command.Y, command.Text);
        }
        const auto texts = TextsOf(one);
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 3),
                  (std::vector<std::string>{"0.0", "11.00", Sjis("最長距離法")}));
        // Each page's first row stands where the first page's does, or as
        // near as the header's bottom lets it.
        EXPECT_EQ(one.Texts()[3].Y, &page == &pages[0] ? 220 : 222);
        for (std::size_t k = 3; k < texts.size(); ++k) {
            ++labelsSeen[texts[k]];
            EXPECT_LE(one.Texts()[k].Y + 40, 500) << texts[k];
        }
        const auto lines = one.Lines();
        for (std::size_t k = 3; k < lines.size(); ++k) {
            EXPECT_GE(std::min(lines[k].Y1, lines[k].Y2), 218);
            EXPECT_LE(std::max(lines[k].Y1, lines[k].Y2), 500);
        }
    }
    EXPECT_EQ(labelsSeen.size(), static_cast<std::size_t>(n));
    for (const auto& [label, count] : labelsSeen)
        EXPECT_EQ(count, 1) << label;

    // A tree that fits is drawn as the page is.
    RecordingCanvas whole(40, 12, 900, 5000);
    RecordingCanvas page(40, 12, 900, 5000);
    PrintWholeDendrogram(*data, tree, 0, false, "12", whole);
    PrintDendrogram(*data, tree, 0, "12", page);
    EXPECT_EQ(whole.Lines(), page.Lines());
    EXPECT_EQ(TextsOf(whole), TextsOf(page));
}

TEST(DendrogramDecor, ColoursAndNotesFollowTheNodes)
{
    // Clusters {1, 2} (red) and {3} (blue) under a black root.
    auto data = DataWithLabels({"a", "b", "c"});
    TreeBuilder builder(3);
    builder.Merge(1, 2, 1.0L);
    builder.Merge(4, 3, 2.0L);
    ClusterTree tree = builder.Take();
    const std::uint32_t red = 0xc00000, blue = 0x0000c0;
    DendrogramDecor decor;
    decor.NodeColors = {0, red, red, blue, red, 0};
    decor.LeafNotes = {"", "1", "1", "2"};
    WholeTreeStyle style;
    style.Decor = &decor;
    style.LabelsInside = true;
    style.WidestNote = "3";
    RecordingCanvas canvas(40, 12, 900);
    PrintWholeDendrogram(*data, tree, 0, false, "12", canvas, style);

    const auto texts = canvas.Texts();
    // Header, then each leaf's label and note in its cluster's colour. The
    // labels ("a " is 24 wide) and the note column ("3 ", 24) start inside:
    // the tree moves right by 12 + 24 + 24 - 120 < 0, so not at all.
    ASSERT_EQ(texts.size(), 9u);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"0.0", 0},  {"2.00", 0}, {Sjis("最長距離法"), 0}, {"a", red}, {"1", red}, {"b", red}, {"1", red},
        {"c", blue}, {"2", blue}};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(texts[k].Text, expected[k].first) << k;
        EXPECT_EQ(texts[k].Color, expected[k].second) << k;
    }
    EXPECT_EQ(texts[3].X, 96);
    EXPECT_EQ(texts[4].X, 96 - 24) << "notes end where the widest label begins";
    // Each part's stroke in its own colour, the root's vertical in black.
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3].Color, red);
    EXPECT_EQ(lines[4].Color, red);
    EXPECT_EQ(lines[6], (Line{210, 264, 300, 264, red}));
    EXPECT_EQ(lines[7], (Line{300, 264, 300, 336, 0}));
    EXPECT_EQ(lines[8], (Line{300, 336, 120, 336, blue}));

    // Long labels move the whole tree right, so that they start on the page.
    auto wide = DataWithLabels({std::string(20, 'x'), "b", "c"});
    RecordingCanvas moved(40, 12, 900);
    PrintWholeDendrogram(*wide, tree, 0, false, "12", moved, style);
    EXPECT_EQ(moved.Texts()[4].X, 12) << "the note starts one blank in";
}

TEST(DendrogramLayoutScale, LevelAtXUndoesLevelX)
{
    auto data = DataWithLabels({"a", "b", "c"});
    TreeBuilder builder(3);
    builder.Merge(1, 2, 1.0L);
    builder.Merge(4, 3, -1.0L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas(40, 12, 900);
    for (const std::uint8_t distType : {std::uint8_t{0}, std::uint8_t{5}}) {
        const DendrogramLayout layout = LayOutDendrogram(canvas, *data, tree, distType, false);
        for (const long double level : {-1.0L, 0.0L, 0.5L, 1.0L})
            EXPECT_NEAR(static_cast<double>(layout.LevelAtX(layout.LevelX(level))),
                        static_cast<double>(level), 0.02);
    }
}

} // namespace
} // namespace vantrel
