#include "print/Dendrogram.h"

#include "print/DendrogramLayout.h"

#include "common/Errors.h"
#include "engine/Methods.h"
#include "platform/core/Cp932.h"
#include "platform/core/NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace vantrel {
namespace {

// Page coordinates stay within ±2^30, so sums of two of them cannot overflow.
constexpr long double CoordinateLimit = 1073741824.0L;

RowFit PrintPage(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                 const std::string& fontSizeText, Canvas& canvas, bool similarity)
{
    if (tree.Empty() || data.ObjectCount < 1)
        throw Error("There is no cluster tree to print.");
    canvas.BeginDoc();
    const int fontSize = FontSizeFromText(fontSizeText);
    canvas.SetFontSize(fontSize);
    const DendrogramLayout layout = LayOutDendrogram(canvas, data, tree, distType, similarity);
    StorePlotPositions(layout, tree);
    DrawDendrogramHeader(layout, canvas);
    DrawDendrogramRows(layout, data, canvas);
    const RowFit fit = FitRows(canvas, data.ObjectCount, fontSize);
    canvas.EndDoc();
    return fit;
}

// How many of `rows` rows of text `height` high end above `pageHeight`.
int RowsThatFit(int height, int pageHeight, int rows)
{
    DendrogramScale scale;
    scale.H = height;
    int fit = 0;
    while (fit < rows && LabelBottom(scale, fit + 1) <= pageHeight)
        ++fit;
    return fit;
}

} // namespace

int Nint(long double x)
{
    if (!(x > -CoordinateLimit))
        return static_cast<int>(-CoordinateLimit);
    if (!(x < CoordinateLimit))
        return static_cast<int>(CoordinateLimit);
    // The default rounding mode sends ties to the even neighbour.
    return static_cast<int>(std::nearbyint(x));
}

int OrdinateToY(const DendrogramScale& scale, long double o) { return Nint((o + 2.0L) * scale.H * 1.2L); }

int LabelBottom(const DendrogramScale& scale, int row)
{
    return OrdinateToY(scale, 2.0L + row) - scale.H / 2 + scale.H;
}

namespace {

// The level span d from the leaves to x: s × d / u. Levels near the ends of
// the long double range overflow s × d, and a subnormal u has lost its
// digits; both then take the equal s × N × (d / range).
long double ScaledSpan(const DendrogramScale& scale, long double d)
{
    if (std::isnormal(scale.u)) {
        const long double x = scale.s * d / scale.u;
        if (std::isfinite(x))
            return x;
    }
    return scale.s * static_cast<long double>(scale.Objects) * (d / scale.Range);
}

// The x of the level `to`, seen from the level `from` at the tree's left
// edge.
int SpanToX(const DendrogramScale& scale, long double from, long double to, bool falling)
{
    const long double span = falling ? from - to : to - from;
    if (std::isfinite(span))
        return Nint(ScaledSpan(scale, span)) + 2 * scale.W + scale.Left;
    // Levels of opposite sign at both ends of the range.
    const long double parts =
        falling ? from / scale.Range - to / scale.Range : to / scale.Range - from / scale.Range;
    return Nint(scale.s * static_cast<long double>(scale.Objects) * parts) + 2 * scale.W + scale.Left;
}

} // namespace

int HeightToX(const DendrogramScale& scale, long double h)
{
    if (scale.Origin == 0.0L)
        return Nint(ScaledSpan(scale, h)) + 2 * scale.W + scale.Left;
    return SpanToX(scale, scale.Origin, h, false);
}

int SimilarityToX(const DendrogramScale& scale, long double v)
{
    return SpanToX(scale, scale.SimLeafHeight, v, true);
}

int FontSizeFromText(const std::string& text)
{
    constexpr int Fallback = 10;
    std::size_t i = 0;
    const auto blank = [&](std::size_t k) { return k < text.size() && text[k] == ' '; };
    while (blank(i))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    // The magnitude, up to the first value no 32-bit integer reaches.
    constexpr long long Beyond = 2147483649LL;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (value < Beyond)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == firstDigit)
        return Fallback;
    while (blank(i))
        ++i;
    if (i != text.size())
        return Fallback;
    // A number no 32-bit integer holds is not an integer at all.
    if (value > (negative ? Beyond - 1 : Beyond - 2))
        return Fallback;
    if (negative || value < 1)
        return 1;
    return value > MaxFontSize ? MaxFontSize : static_cast<int>(value);
}

std::string MethodCaption(std::uint8_t distType, bool similarity)
{
    static const char* const Methods[LinkageCount] = {
        "最長距離法", "群間平均法", "最短距離法", "ウォード法", "重心法", "メディアン法", "重み付き平均法"};
    if (!IsLinkage(distType))
        return {};
    std::string caption = Methods[distType];
    if (similarity)
        caption += "＜類似度＞";
    return Sjis(caption);
}

DendrogramScale SetUpScale(Canvas& canvas, int objectCount, long double levelRange)
{
    return SetUpScale(canvas, objectCount, levelRange, canvas.PageWidth());
}

DendrogramScale SetUpScale(Canvas& canvas, int objectCount, long double levelRange, int pageWidth)
{
    DendrogramScale scale;
    scale.H = canvas.TextHeight("X");
    scale.W = canvas.TextWidth("WWWWW");
    scale.s = scale.W;
    const long double n = objectCount;
    // A zero range (all levels equal) would leave the scale undefined.
    scale.Range = levelRange != 0.0L ? levelRange : 1.0L;
    scale.Objects = objectCount;
    scale.u = scale.Range / n;
    const long double page = 0.9L * pageWidth;
    if ((n + 3) * scale.W > page)
        scale.s = Nint(page - 2 * scale.W) / (objectCount + 1);
    scale.Increment = 1.0L;
    scale.r = 2.0L;
    return scale;
}

namespace {

// Draws a subtree on its own, its rows numbered on from scale.r.
void DrawSubtree(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas,
                 bool similarity)
{
    DendrogramLayout layout;
    layout.Similarity = similarity;
    layout.Scale = scale;
    layout.LeafLevel = similarity ? scale.SimLeafHeight : 0.0L;
    layout.TreeLeft = layout.LevelX(layout.LeafLevel);
    PlaceRows(root, layout);
    DrawDendrogramRows(layout, data, canvas);
    scale.r = layout.Scale.r;
    std::vector<ClusterNode*> stack{&root};
    while (!stack.empty()) {
        ClusterNode* node = stack.back();
        stack.pop_back();
        node->PlotPosition = layout.Positions[static_cast<std::size_t>(node->Id)];
        for (ClusterNode* part : {node->Left, node->Right})
            if (part)
                stack.push_back(part);
    }
}

} // namespace

void DrawBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas)
{
    DrawSubtree(root, scale, data, canvas, false);
}

void DrawSimBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas)
{
    DrawSubtree(root, scale, data, canvas, true);
}

RowFit FitRows(Canvas& canvas, int rows, int fontSize)
{
    RowFit fit;
    fit.Rows = rows;
    const int pageHeight = canvas.PageHeight();
    fit.Lost = rows - RowsThatFit(canvas.TextHeight("X"), pageHeight, rows);
    if (fit.Lost == 0)
        return fit;
    // Text grows with the size: look for the last size below the page's
    // at which every row fits.
    int low = 1;
    int high = std::min(fontSize, MaxFontSize + 1) - 1;
    while (low <= high) {
        const int size = low + (high - low) / 2;
        canvas.SetFontSize(size);
        if (RowsThatFit(canvas.TextHeight("X"), pageHeight, rows) == rows) {
            fit.LargestFittingSize = size;
            low = size + 1;
        } else {
            high = size - 1;
        }
    }
    canvas.SetFontSize(fontSize);
    return fit;
}

RowFit PrintDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                       const std::string& fontSizeText, Canvas& canvas)
{
    return PrintPage(data, tree, distType, fontSizeText, canvas, false);
}

RowFit PrintSimDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                          const std::string& fontSizeText, Canvas& canvas)
{
    return PrintPage(data, tree, distType, fontSizeText, canvas, true);
}

RowFit PrintWholeDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                            bool similarity, const std::string& fontSizeText, Canvas& canvas,
                            const WholeTreeStyle& style, Progress& progress)
{
    if (tree.Empty() || data.ObjectCount < 1)
        throw Error("There is no cluster tree to print.");
    canvas.BeginDoc();
    try {
        canvas.SetFontSize(FontSizeFromText(fontSizeText));
        LayoutRoom room;
        room.LabelsInside = style.LabelsInside;
        room.WidestNote = style.WidestNote;
        const DendrogramLayout layout = LayOutDendrogram(canvas, data, tree, distType, similarity, room);
        StorePlotPositions(layout, tree);
        const std::vector<DendrogramBand> bands = PageBands(layout, canvas.PageHeight());
        progress.Start("Drawing the tree", "rows", data.ObjectCount);
        std::int64_t rows = 0;
        const auto onLeaf = [&] { progress.Advance(++rows); };
        for (std::size_t page = 0; page < bands.size(); ++page) {
            if (page > 0)
                canvas.NewPage();
            DrawDendrogramHeader(layout, canvas);
            // A tree on one page is the page itself.
            DrawDendrogramRows(layout, data, canvas, style.Decor, bands.size() > 1 ? &bands[page] : nullptr,
                               onLeaf);
        }
    } catch (...) {
        canvas.AbortDoc();
        throw;
    }
    canvas.EndDoc();
    return {data.ObjectCount, 0, 0};
}

} // namespace vantrel
