#include "print/Dendrogram.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::DataWithLabels;
using testing::TreeBuilder;
using Line = RecordingCanvas::Line;

// H = 40 and W = 60 ("WWWWW" at 12 per byte), P = 900.
RecordingCanvas WorkedExampleCanvas() { return RecordingCanvas(40, 12, 900); }

std::vector<std::string> TextsOf(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const auto& t : canvas.Texts())
        texts.push_back(t.Text);
    return texts;
}

TEST(DendrogramPage, DrawsTheDissimilarityWorkedExample)
{
    auto data = DataWithLabels({"a", "bb", "c", "d"});
    TreeBuilder builder(4);
    builder.Merge(1, 2, 1.0L); // 5
    builder.Merge(3, 4, 3.0L); // 6
    builder.Merge(5, 6, 8.0L); // 7
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = WorkedExampleCanvas();

    PrintDendrogram(*data, tree, 0, "12", canvas);

    ASSERT_EQ(canvas.Commands().front().Kind, RecordingCanvas::Op::BeginDoc);
    ASSERT_EQ(canvas.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
    EXPECT_EQ(canvas.FontSize(), 12);

    const std::vector<Line> expectedLines = {
        // Axis from level 0 to the root, ticks pointing down.
        {120, 168, 120, 156},
        {120, 156, 360, 156},
        {360, 156, 360, 168},
        // (1,2) at 1: x = 150, rows 240 and 288.
        {120, 240, 150, 240},
        {150, 240, 150, 288},
        {150, 288, 120, 288},
        // (3,4) at 3: x = 210, rows 336 and 384.
        {120, 336, 210, 336},
        {210, 336, 210, 384},
        {210, 384, 120, 384},
        // Root at 8: from the children's midpoints, rows 264 and 360.
        {150, 264, 360, 264},
        {360, 264, 360, 360},
        {360, 360, 210, 360},
    };
    EXPECT_EQ(canvas.Lines(), expectedLines);

    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0].Text, "0.0");
    EXPECT_EQ(std::pair(texts[0].X, texts[0].Y), std::pair(120, 178));
    EXPECT_EQ(texts[1].Text, "8.00");
    EXPECT_EQ(std::pair(texts[1].X, texts[1].Y), std::pair(360, 178));
    EXPECT_EQ(texts[2].Text, Sjis("最長距離法"));
    EXPECT_EQ(std::pair(texts[2].X, texts[2].Y), std::pair(120, 101));
    // Labels end one blank (12) before x = 120, centred on rows 240..384.
    EXPECT_EQ(std::pair(texts[3].X, texts[3].Y), std::pair(120 - 24, 220));
    EXPECT_EQ(std::pair(texts[4].X, texts[4].Y), std::pair(120 - 36, 268));
    EXPECT_EQ(std::pair(texts[5].X, texts[5].Y), std::pair(120 - 24, 316));
    EXPECT_EQ(std::pair(texts[6].X, texts[6].Y), std::pair(120 - 24, 364));
    EXPECT_EQ(texts[4].Text, "bb");

    EXPECT_EQ(tree.Node(1).PlotPosition, 3.0L);
    EXPECT_EQ(tree.Node(4).PlotPosition, 6.0L);
    EXPECT_EQ(tree.Node(5).PlotPosition, 3.5L);
    EXPECT_EQ(tree.Node(7).PlotPosition, 4.5L);
}

TEST(DendrogramPage, DrawsTheSimilarityWorkedExample)
{
    auto data = DataWithLabels({"a", "b", "c", "d"});
    data->MaxSimilarity = 0.8L;
    data->SimLeafHeight = 0.8L / 4 + 0.8L;
    TreeBuilder builder(4, data->SimLeafHeight);
    builder.Merge(1, 2, 0.8L);
    builder.Merge(3, 4, 0.5L);
    builder.Merge(5, 6, 0.2L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = WorkedExampleCanvas();

    PrintSimDendrogram(*data, tree, 0, "12", canvas);

    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], (Line{168, 168, 168, 156}));
    EXPECT_EQ(lines[1], (Line{168, 156, 312, 156}));
    // Leaves at 120; the merge at 0.8 at 168, at 0.5 at 240, the root at 312.
    EXPECT_EQ(lines[3], (Line{120, 240, 168, 240}));
    EXPECT_EQ(lines[6], (Line{120, 336, 240, 336}));
    EXPECT_EQ(lines[9], (Line{168, 264, 312, 264}));
    EXPECT_EQ(lines[11], (Line{312, 360, 240, 360}));

    const auto texts = canvas.Texts();
    EXPECT_EQ(texts[0].Text, "0.8");
    EXPECT_EQ(std::pair(texts[0].X, texts[0].Y), std::pair(168, 178));
    EXPECT_EQ(texts[1].Text, "0.20");
    EXPECT_EQ(std::pair(texts[1].X, texts[1].Y), std::pair(312, 178));
    EXPECT_EQ(texts[2].Text, Sjis("最長距離法＜類似度＞"));
    EXPECT_EQ(std::pair(texts[2].X, texts[2].Y), std::pair(120, 101));
    EXPECT_EQ(std::pair(texts[3].X, texts[3].Y), std::pair(96, 220));
}

TEST(DendrogramPage, FitsTheLevelAxisToThePageWidth)
{
    RecordingCanvas narrow(40, 12, 900);
    EXPECT_EQ(SetUpScale(narrow, 12, 1.0L).s, 53); // (12 + 3) × 60 = 900 > 810
    EXPECT_EQ(SetUpScale(narrow, 10, 1.0L).s, 60);
    RecordingCanvas exact(40, 12, 1000);
    EXPECT_EQ(SetUpScale(exact, 12, 1.0L).s, 60); // 900 equals 0.9 × 1000
    RecordingCanvas slightlyNarrower(40, 12, 999);
    EXPECT_EQ(SetUpScale(slightlyNarrower, 12, 1.0L).s, 59); // nint(899.1 - 120) div 13

    const DendrogramScale scale = SetUpScale(narrow, 4, 8.0L);
    EXPECT_EQ(scale.H, 40);
    EXPECT_EQ(scale.W, 60);
    EXPECT_EQ(scale.u, 2.0L);
}

TEST(DendrogramPage, ScalesRoundHalfToEven)
{
    DendrogramScale scale;
    scale.H = 5; // (o + 2) × 6
    EXPECT_EQ(OrdinateToY(scale, 0.25L), 14); // 13.5
    EXPECT_EQ(Nint(2.5L), 2);
    EXPECT_EQ(Nint(3.5L), 4);
    EXPECT_EQ(Nint(-2.5L), -2);
    EXPECT_EQ(Nint(1e300L), 1073741824);
    EXPECT_EQ(Nint(-1e300L), -1073741824);
}

TEST(DendrogramPage, PlacesLeavesInLeftFirstOrder)
{
    auto data = DataWithLabels({"one", "two", "three"});
    TreeBuilder builder(3);
    builder.Merge(3, 1, 1.0L); // 4: left is object 3
    builder.Merge(4, 2, 2.0L); // 5
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = WorkedExampleCanvas();
    PrintDendrogram(*data, tree, 0, "12", canvas);
    const auto texts = TextsOf(canvas);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
              (std::vector<std::string>{"three", "one", "two"}));
    EXPECT_EQ(tree.Node(3).PlotPosition, 3.0L);
    EXPECT_EQ(tree.Node(1).PlotPosition, 4.0L);
    EXPECT_EQ(tree.Node(2).PlotPosition, 5.0L);
}

TEST(DendrogramPage, CaptionFollowsDistType)
{
    const char* const methods[] = {"最長距離法", "群間平均法",   "最短距離法",    "ウォード法",
                                   "重心法",     "メディアン法", "重み付き平均法"};
    for (std::uint8_t type = 0; type < 7; ++type) {
        EXPECT_EQ(MethodCaption(type, false), Sjis(methods[type]));
        EXPECT_EQ(MethodCaption(type, true), Sjis(std::string(methods[type]) + "＜類似度＞"));
    }
    EXPECT_EQ(MethodCaption(7, false), "");
    EXPECT_EQ(MethodCaption(255, true), "");

    // No caption at all on the page for an unknown method.
    auto data = DataWithLabels({"a", "b"});
    TreeBuilder builder(2);
    builder.Merge(1, 2, 1.0L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = WorkedExampleCanvas();
    PrintDendrogram(*data, tree, 7, "12", canvas);
    EXPECT_EQ(TextsOf(canvas), (std::vector<std::string>{"0.0", "1.00", "a", "b"}));
}

TEST(DendrogramPage, ReadsTheFontSizeText)
{
    EXPECT_EQ(FontSizeFromText("12"), 12);
    EXPECT_EQ(FontSizeFromText(" 14 "), 14);
    EXPECT_EQ(FontSizeFromText("+8"), 8);
    EXPECT_EQ(FontSizeFromText(""), 10);
    EXPECT_EQ(FontSizeFromText("abc"), 10);
    EXPECT_EQ(FontSizeFromText("12.5"), 10);
    EXPECT_EQ(FontSizeFromText("1 2"), 10);
    EXPECT_EQ(FontSizeFromText("-"), 10);
    // Beyond the 32-bit integers a text is no integer at all.
    EXPECT_EQ(FontSizeFromText("99999999999"), 10);
    EXPECT_EQ(FontSizeFromText("2147483648"), 10);
    EXPECT_EQ(FontSizeFromText("-2147483649"), 10);
    // Integers that cannot be printed take the nearest size that can.
    EXPECT_EQ(FontSizeFromText("0"), 1);
    EXPECT_EQ(FontSizeFromText("-2147483648"), 1);
    EXPECT_EQ(FontSizeFromText("2147483647"), MaxFontSize);

    auto data = DataWithLabels({"a", "b"});
    TreeBuilder builder(2);
    builder.Merge(1, 2, 1.0L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas;
    PrintDendrogram(*data, tree, 0, "x", canvas);
    EXPECT_EQ(canvas.FontSize(), 10);
    // The size is set inside the job, before anything is measured or drawn.
    EXPECT_EQ(canvas.Commands()[1].FontSize, 10);
}

TEST(DendrogramPage, ZeroLevelRangeStillDrawsAReadablePage)
{
    auto data = DataWithLabels({"a", "b", "c"});
    TreeBuilder builder(3);
    builder.Merge(1, 2, 0.0L);
    builder.Merge(4, 3, 0.0L);
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas = WorkedExampleCanvas();
    PrintDendrogram(*data, tree, 0, "12", canvas);
    for (const Line& line : canvas.Lines()) {
        EXPECT_EQ(line.X1, 120);
        EXPECT_EQ(line.X2, 120);
    }
    EXPECT_EQ(TextsOf(canvas)[1], "0.00");

    // Similarity data with no positive similarity: leaves at 0, merges below.
    auto sim = DataWithLabels({"a", "b", "c"});
    sim->MaxSimilarity = 0.0L;
    sim->SimLeafHeight = 0.0L;
    TreeBuilder simBuilder(3, 0.0L);
    simBuilder.Merge(1, 2, -1.0L);
    simBuilder.Merge(4, 3, -2.0L);
    ClusterTree simTree = simBuilder.Take();
    RecordingCanvas simCanvas = WorkedExampleCanvas();
    PrintSimDendrogram(*sim, simTree, 0, "12", simCanvas);
    const auto lines = simCanvas.Lines();
    // The tree's span 2 is the range, u = 2/3: the root stands s × 3 = 180
    // right of the leaves, a merge at -1 half way.
    EXPECT_EQ(lines[3], (Line{120, 240, 210, 240}));
    EXPECT_EQ(lines.back().X1, 300);
    EXPECT_EQ(TextsOf(simCanvas)[0], "0");
    EXPECT_EQ(TextsOf(simCanvas)[1], "-2.00");
}

TEST(DendrogramPage, DrawsAThousandObjectChain)
{
    std::vector<std::string> labels(1000, "x");
    auto data = DataWithLabels(labels);
    TreeBuilder builder(1000);
    int top = builder.Merge(1, 2, 1.0L);
    for (int id = 3; id <= 1000; ++id)
        top = builder.Merge(top, id, static_cast<long double>(id));
    ClusterTree tree = builder.Take();
    RecordingCanvas canvas(40, 12, 4800);
    PrintDendrogram(*data, tree, 0, "12", canvas);
    EXPECT_EQ(tree.Root().Id, 1999);
    EXPECT_EQ(tree.Node(1000).PlotPosition, 1002.0L);
    EXPECT_EQ(canvas.Lines().size(), 3u + 3u * 999u);
}

TEST(DendrogramPage, RefusesAMissingTreeBeforeStartingAJob)
{
    auto data = DataWithLabels({"a"});
    ClusterTree empty;
    RecordingCanvas canvas;
    EXPECT_THROW(PrintDendrogram(*data, empty, 0, "12", canvas), Error);
    EXPECT_TRUE(canvas.Commands().empty());
}

// A canvas whose text grows with the font size: "X" is 4 units per point.
class ScalingCanvas : public RecordingCanvas {
public:
    int TextHeight(const std::string&) override { return 4 * FontSize(); }
};

TEST(DendrogramPage, RowsBelowThePageAreCountedWithTheLargestSizeThatFitsThemAll)
{
    // The page is 1200 high; a row's label ends at (4 + k) x 1.2 H + H / 2.
    const struct {
        int Rows;
        int FontSize;
        RowFit Expected;
    } cases[] = {
        {3, 10, {3, 0, 0}},
        {20, 10, {20, 0, 0}}, // the last row ends at 1172
        {30, 10, {30, 10, 7}}, // 30 rows end at 1156 with H = 28, 1326 with H = 32
        {30, 1, {30, 0, 0}},
        {1000, 12, {1000, 984, 0}}, // 16 rows at H = 48; 1004 x 4.8 > 1200 even at size 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rows);
        ScalingCanvas canvas;
        canvas.SetFontSize(c.FontSize);
        const RowFit fit = FitRows(canvas, c.Rows, c.FontSize);
        EXPECT_EQ(fit.Rows, c.Expected.Rows);
        EXPECT_EQ(fit.Lost, c.Expected.Lost);
        EXPECT_EQ(fit.LargestFittingSize, c.Expected.LargestFittingSize);
        EXPECT_EQ(canvas.FontSize(), c.FontSize);
    }
}

} // namespace
} // namespace vantrel
