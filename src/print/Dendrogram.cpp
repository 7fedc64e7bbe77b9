#include "print/Dendrogram.h"

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

enum class Levels { Dissimilarity, Similarity };

int LevelToX(const DendrogramScale& scale, Levels levels, long double level)
{
    return levels == Levels::Dissimilarity ? HeightToX(scale, level) : SimilarityToX(scale, level);
}

void DrawLeaf(ClusterNode& leaf, DendrogramScale& scale, Levels levels, const AnalysisData& data,
              Canvas& canvas)
{
    scale.r = scale.r + scale.Increment;
    leaf.PlotPosition = scale.r;
    const bool known = leaf.Id >= 1 && leaf.Id <= AnalysisData::Capacity;
    const std::string& text = known ? data.ObjectLabels[static_cast<std::size_t>(leaf.Id)] : std::string();
    const long double leafLevel = levels == Levels::Dissimilarity ? 0.0L : scale.SimLeafHeight;
    const int x = LevelToX(scale, levels, leafLevel) - canvas.TextWidth(text + " ");
    const int y = OrdinateToY(scale, scale.r) - scale.H / 2;
    canvas.TextOut(x, y, text);
}

void DrawBracket(ClusterNode& node, const DendrogramScale& scale, Levels levels, Canvas& canvas)
{
    const ClusterNode& left = *node.Left;
    const ClusterNode& right = *node.Right;
    node.PlotPosition = (left.PlotPosition + right.PlotPosition) * 0.5L;
    const int xNode = LevelToX(scale, levels, node.Height);
    const int yLeft = OrdinateToY(scale, left.PlotPosition);
    const int yRight = OrdinateToY(scale, right.PlotPosition);
    canvas.MoveTo(LevelToX(scale, levels, left.Height), yLeft);
    canvas.LineTo(xNode, yLeft);
    canvas.LineTo(xNode, yRight);
    canvas.LineTo(LevelToX(scale, levels, right.Height), yRight);
}

// Post-order walk, left subtree first, on an explicit stack.
void DrawTree(ClusterNode& root, DendrogramScale& scale, Levels levels, const AnalysisData& data,
              Canvas& canvas)
{
    struct Frame {
        ClusterNode* Node;
        bool ChildrenDone;
    };
    std::vector<Frame> stack{{&root, false}};
    while (!stack.empty()) {
        Frame frame = stack.back();
        stack.pop_back();
        ClusterNode& node = *frame.Node;
        if (node.IsLeaf() || node.Right == nullptr) {
            DrawLeaf(node, scale, levels, data, canvas);
        } else if (frame.ChildrenDone) {
            DrawBracket(node, scale, levels, canvas);
        } else {
            stack.push_back({&node, true});
            stack.push_back({node.Right, false});
            stack.push_back({node.Left, false});
        }
    }
}

RowFit PrintPage(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                 const std::string& fontSizeText, Canvas& canvas, Levels levels)
{
    const int n = data.ObjectCount;
    if (tree.Empty() || n < 1)
        throw Error("There is no cluster tree to print.");
    ClusterNode& root = tree.Root();

    canvas.BeginDoc();
    const int fontSize = FontSizeFromText(fontSizeText);
    canvas.SetFontSize(fontSize);
    long double range = levels == Levels::Dissimilarity ? root.Height : data.SimLeafHeight;
    // Without a positive similarity the leaves stand at 0 and every merge
    // below; the tree's own span keeps it on the page.
    if (levels == Levels::Similarity && range == 0.0L && root.Height < 0.0L)
        range = data.SimLeafHeight - root.Height;
    DendrogramScale scale = SetUpScale(canvas, n, range);
    scale.SimLeafHeight = data.SimLeafHeight;

    const long double a = levels == Levels::Dissimilarity ? 0.0L : data.MaxSimilarity;
    const long double b = root.Height;
    const int xa = LevelToX(scale, levels, a);
    const int xb = LevelToX(scale, levels, b);
    canvas.MoveTo(xa, OrdinateToY(scale, 1.5L));
    canvas.LineTo(xa, OrdinateToY(scale, 1.25L));
    canvas.LineTo(xb, OrdinateToY(scale, 1.25L));
    canvas.LineTo(xb, OrdinateToY(scale, 1.5L));

    const int yAxisText = OrdinateToY(scale, 1.7L);
    canvas.TextOut(xa, yAxisText,
                   levels == Levels::Dissimilarity ? std::string("0.0") : FormatAxisGeneral(a));
    canvas.TextOut(xb, yAxisText, FormatAxisFixed(b));

    const std::string caption = MethodCaption(distType, levels == Levels::Similarity);
    if (!caption.empty()) {
        const long double leafLevel = levels == Levels::Dissimilarity ? 0.0L : data.SimLeafHeight;
        canvas.TextOut(LevelToX(scale, levels, leafLevel), OrdinateToY(scale, 0.1L), caption);
    }

    DrawTree(root, scale, levels, data, canvas);
    const RowFit fit = FitRows(canvas, n, fontSize);
    canvas.EndDoc();
    return fit;
}

// How many of `rows` rows of text `height` high end above `pageHeight`.
int RowsThatFit(int height, int pageHeight, int rows)
{
    DendrogramScale scale;
    scale.H = height;
    int fit = 0;
    while (fit < rows && OrdinateToY(scale, 3.0L + fit) - height / 2 + height <= pageHeight)
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

} // namespace

int HeightToX(const DendrogramScale& scale, long double h)
{
    return Nint(ScaledSpan(scale, h)) + 2 * scale.W;
}

int SimilarityToX(const DendrogramScale& scale, long double v)
{
    const long double span = scale.SimLeafHeight - v;
    if (std::isfinite(span))
        return Nint(ScaledSpan(scale, span)) + 2 * scale.W;
    // Levels of opposite sign at both ends of the range.
    const long double parts = scale.SimLeafHeight / scale.Range - v / scale.Range;
    return Nint(scale.s * static_cast<long double>(scale.Objects) * parts) + 2 * scale.W;
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
    DendrogramScale scale;
    scale.H = canvas.TextHeight("X");
    scale.W = canvas.TextWidth("WWWWW");
    scale.s = scale.W;
    const long double n = objectCount;
    // A zero range (all levels equal) would leave the scale undefined.
    scale.Range = levelRange != 0.0L ? levelRange : 1.0L;
    scale.Objects = objectCount;
    scale.u = scale.Range / n;
    const long double page = 0.9L * canvas.PageWidth();
    if ((n + 3) * scale.W > page)
        scale.s = Nint(page - 2 * scale.W) / (objectCount + 1);
    scale.Increment = 1.0L;
    scale.r = 2.0L;
    return scale;
}

void DrawBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas)
{
    DrawTree(root, scale, Levels::Dissimilarity, data, canvas);
}

void DrawSimBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas)
{
    DrawTree(root, scale, Levels::Similarity, data, canvas);
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
    return PrintPage(data, tree, distType, fontSizeText, canvas, Levels::Dissimilarity);
}

RowFit PrintSimDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                          const std::string& fontSizeText, Canvas& canvas)
{
    return PrintPage(data, tree, distType, fontSizeText, canvas, Levels::Similarity);
}

} // namespace vantrel
