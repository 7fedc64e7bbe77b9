#include "print/DendrogramLayout.h"

#include "common/Errors.h"
#include "engine/Methods.h"
#include "platform/core/NumberFormat.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

namespace vantrel {
namespace {

// Far outside any page, yet far from overflowing when shifted.
constexpr int Unbounded = INT_MAX / 4;

const std::string& LabelOf(const AnalysisData& data, std::int32_t id)
{
    static const std::string none;
    return id >= 1 && id <= AnalysisData::Capacity ? data.ObjectLabels[static_cast<std::size_t>(id)] : none;
}

} // namespace

void PlaceRows(const ClusterNode& root, DendrogramLayout& layout)
{
    struct Frame {
        const ClusterNode* Node;
        bool PartsDone;
    };
    DendrogramScale& scale = layout.Scale;
    std::vector<Frame> stack{{&root, false}};
    while (!stack.empty()) {
        const Frame frame = stack.back();
        stack.pop_back();
        const ClusterNode& node = *frame.Node;
        const auto id = static_cast<std::size_t>(node.Id);
        if (id >= layout.Positions.size())
            layout.Positions.resize(id + 1, 0.0L);
        if (node.IsLeaf() || node.Right == nullptr) {
            scale.r = scale.r + scale.Increment;
            layout.Positions[id] = scale.r;
            layout.Rows.push_back(node.Id);
            layout.Order.push_back(&node);
        } else if (frame.PartsDone) {
            layout.Positions[id] = (layout.Positions[static_cast<std::size_t>(node.Left->Id)] +
                                    layout.Positions[static_cast<std::size_t>(node.Right->Id)]) *
                                   0.5L;
            layout.Order.push_back(&node);
        } else {
            stack.push_back({&node, true});
            stack.push_back({node.Right, false});
            stack.push_back({node.Left, false});
        }
    }
}

namespace {

// The level ends of a tree's merges and leaves.
std::pair<long double, long double> LevelEnds(const ClusterTree& tree, long double leafLevel)
{
    long double low = leafLevel;
    long double high = leafLevel;
    for (const auto& node : tree.Nodes()) {
        if (node->IsLeaf())
            continue;
        low = std::min(low, node->Height);
        high = std::max(high, node->Height);
    }
    return {low, high};
}

// A span that may lie beyond the long double range, held at its end.
long double SpanOf(long double high, long double low)
{
    const long double span = high - low;
    return std::isfinite(span) ? span : LDBL_MAX;
}

class Colors {
public:
    Colors(Canvas& canvas, const DendrogramDecor* decor) : canvas_(canvas), decor_(decor) { }
    void For(const ClusterNode& node)
    {
        if (!decor_ || decor_->NodeColors.empty())
            return;
        const auto id = static_cast<std::size_t>(node.Id);
        const std::uint32_t color = id < decor_->NodeColors.size() ? decor_->NodeColors[id] : 0;
        if (color != current_)
            canvas_.SetColor(current_ = color);
    }

private:
    Canvas& canvas_;
    const DendrogramDecor* decor_;
    std::uint32_t current_ = 0;
};

void DrawLeaf(const DendrogramLayout& layout, const ClusterNode& leaf, const AnalysisData& data,
              Canvas& canvas, const DendrogramDecor* decor, int shift)
{
    const std::string& text = LabelOf(data, leaf.Id);
    const int x = layout.TreeLeft - canvas.TextWidth(text + " ");
    const int y =
        layout.RowY(layout.Positions[static_cast<std::size_t>(leaf.Id)]) - layout.Scale.H / 2 - shift;
    canvas.TextOut(x, y, text);
    if (!decor || decor->LeafNotes.empty())
        return;
    const auto id = static_cast<std::size_t>(leaf.Id);
    if (id < decor->LeafNotes.size() && !decor->LeafNotes[id].empty())
        canvas.TextOut(layout.NotesRight - canvas.TextWidth(decor->LeafNotes[id] + " "), y,
                       decor->LeafNotes[id]);
}

bool InBand(const DendrogramBand* band, int y) { return !band || (y >= band->Top && y < band->Bottom); }

void Stroke(Canvas& canvas, int x1, int y1, int x2, int y2, int shift)
{
    canvas.MoveTo(x1, y1 - shift);
    canvas.LineTo(x2, y2 - shift);
}

void DrawBracket(const DendrogramLayout& layout, const ClusterNode& node, Canvas& canvas, Colors& colors,
                 bool plain, const DendrogramBand* band)
{
    const ClusterNode& left = *node.Left;
    const ClusterNode& right = *node.Right;
    const int xNode = layout.LevelX(node.Height);
    const int yLeft = layout.RowY(layout.Positions[static_cast<std::size_t>(left.Id)]);
    const int yRight = layout.RowY(layout.Positions[static_cast<std::size_t>(right.Id)]);
    const int xLeft = layout.LevelX(left.Height);
    const int xRight = layout.LevelX(right.Height);
    if (plain) {
        // The page's own strokes: one bracket open to the left.
        canvas.MoveTo(xLeft, yLeft);
        canvas.LineTo(xNode, yLeft);
        canvas.LineTo(xNode, yRight);
        canvas.LineTo(xRight, yRight);
        return;
    }
    const int shift = band ? band->Shift : 0;
    if (InBand(band, yLeft)) {
        colors.For(left);
        Stroke(canvas, xLeft, yLeft, xNode, yLeft, shift);
    }
    const int top = band ? std::max(yLeft, band->Top) : yLeft;
    const int bottom = band ? std::min(yRight, band->Bottom) : yRight;
    if (top < bottom) {
        colors.For(node);
        Stroke(canvas, xNode, top, xNode, bottom, shift);
    }
    if (InBand(band, yRight)) {
        colors.For(right);
        Stroke(canvas, xNode, yRight, xRight, yRight, shift);
    }
}

} // namespace

bool SpansTreeLevels(std::uint8_t distType)
{
    return IsLinkage(distType) && UpdatesByFormula(static_cast<Linkage>(distType));
}

int DendrogramLayout::LevelX(long double level) const
{
    return Similarity ? SimilarityToX(Scale, level) : HeightToX(Scale, level);
}

long double DendrogramLayout::LevelAtX(long double x) const
{
    if (Scale.s <= 0)
        return Similarity ? Scale.SimLeafHeight : Scale.Origin;
    const long double unit = std::isnormal(Scale.u) ? Scale.u : Scale.Range / Scale.Objects;
    const long double span = (x - 2.0L * Scale.W - Scale.Left) * unit / Scale.s;
    return Similarity ? Scale.SimLeafHeight - span : Scale.Origin + span;
}

DendrogramLayout LayOutDendrogram(Canvas& canvas, const AnalysisData& data, const ClusterTree& tree,
                                  std::uint8_t distType, bool similarity, const LayoutRoom& room)
{
    const int n = data.ObjectCount;
    if (tree.Empty() || n < 1)
        throw Error("There is no cluster tree to print.");
    const ClusterNode& root = tree.Root();

    DendrogramLayout layout;
    layout.Similarity = similarity;
    layout.SpansLevels = SpansTreeLevels(distType);
    layout.LeafLevel = similarity ? data.SimLeafHeight : 0.0L;
    const auto [low, high] = LevelEnds(tree, layout.LeafLevel);
    layout.LowLevel = low;
    layout.HighLevel = high;

    long double range = 0.0L;
    if (layout.SpansLevels) {
        range = SpanOf(high, low);
    } else {
        range = similarity ? data.SimLeafHeight : root.Height;
        // Without a positive similarity the leaves stand at 0 and every
        // merge below; the tree's own span keeps it on the page.
        if (similarity && range == 0.0L && root.Height < 0.0L)
            range = data.SimLeafHeight - root.Height;
    }

    int left = 0;
    int widestLabel = 0;
    if (room.LabelsInside) {
        for (int id = 1; id <= n; ++id)
            widestLabel = std::max(widestLabel, canvas.TextWidth(LabelOf(data, id) + " "));
        const int notes = room.WidestNote.empty() ? 0 : canvas.TextWidth(room.WidestNote + " ");
        const int margin = canvas.TextWidth(" ");
        left = std::max(0, margin + notes + widestLabel - 2 * canvas.TextWidth("WWWWW"));
    }
    const int width = room.Width > 0 ? room.Width : canvas.PageWidth();
    layout.Scale = SetUpScale(canvas, n, range, width - left);
    if (room.FillWidth) {
        // The room's width, not the object count, sets the level unit: a
        // whole device unit per object would make the tree of a thousand
        // objects wider than any screen, its root and cut out of view.
        const long long step = std::max(1, Nint(0.9L * (width - left) - 2 * layout.Scale.W));
        const auto span = static_cast<int>(std::max(1LL, step * n / (n + 1)));
        layout.Scale.s = 1;
        layout.Scale.Objects = span;
        layout.Scale.u = layout.Scale.Range / span;
    }
    layout.Scale.SimLeafHeight = data.SimLeafHeight;
    layout.Scale.Left = left;
    if (layout.SpansLevels && !similarity)
        layout.Scale.Origin = low;

    if (layout.SpansLevels) {
        layout.AxisFrom = similarity ? data.MaxSimilarity : low;
        layout.AxisTo = similarity ? low : high;
        layout.AxisFromText = similarity    ? FormatAxisGeneral(layout.AxisFrom)
                              : low == 0.0L ? std::string("0.0")
                                            : FormatAxisFixed(low);
    } else {
        layout.AxisFrom = similarity ? data.MaxSimilarity : 0.0L;
        layout.AxisTo = root.Height;
        layout.AxisFromText = similarity ? FormatAxisGeneral(layout.AxisFrom) : std::string("0.0");
    }
    layout.AxisToText = FormatAxisFixed(layout.AxisTo);
    layout.Caption = MethodCaption(distType, similarity);

    layout.Positions.assign(tree.Size() + 1, 0.0L);
    layout.Order.reserve(tree.Size());
    layout.Rows.reserve(static_cast<std::size_t>(n));
    PlaceRows(root, layout);

    layout.TreeLeft = layout.LevelX(layout.SpansLevels && !similarity ? low : layout.LeafLevel);
    layout.NotesRight = layout.TreeLeft - widestLabel;
    const int xFrom = layout.LevelX(layout.AxisFrom);
    const int xTo = layout.LevelX(layout.AxisTo);
    int right =
        std::max(xFrom + canvas.TextWidth(layout.AxisFromText), xTo + canvas.TextWidth(layout.AxisToText));
    right = std::max({right, layout.LevelX(low), layout.LevelX(high)});
    layout.Right = right;
    layout.Bottom = LabelBottom(layout.Scale, static_cast<int>(layout.Rows.size()));
    return layout;
}

void StorePlotPositions(const DendrogramLayout& layout, ClusterTree& tree)
{
    for (const ClusterNode* node : layout.Order)
        tree.Node(node->Id).PlotPosition = layout.Positions[static_cast<std::size_t>(node->Id)];
}

void DrawDendrogramHeader(const DendrogramLayout& layout, Canvas& canvas)
{
    canvas.SetColor(0);
    const int xa = layout.LevelX(layout.AxisFrom);
    const int xb = layout.LevelX(layout.AxisTo);
    canvas.MoveTo(xa, layout.RowY(1.5L));
    canvas.LineTo(xa, layout.RowY(1.25L));
    canvas.LineTo(xb, layout.RowY(1.25L));
    canvas.LineTo(xb, layout.RowY(1.5L));

    const int yAxisText = layout.RowY(1.7L);
    canvas.TextOut(xa, yAxisText, layout.AxisFromText);
    canvas.TextOut(xb, yAxisText, layout.AxisToText);
    if (!layout.Caption.empty())
        canvas.TextOut(layout.TreeLeft, layout.RowY(0.1L), layout.Caption);
}

void DrawDendrogramRows(const DendrogramLayout& layout, const AnalysisData& data, Canvas& canvas,
                        const DendrogramDecor* decor, const DendrogramBand* band,
                        const std::function<void()>& onLeaf)
{
    Colors colors(canvas, decor);
    const bool plain = !band && (!decor || decor->NodeColors.empty());
    const int shift = band ? band->Shift : 0;
    for (const ClusterNode* node : layout.Order) {
        if (node->IsLeaf() || node->Right == nullptr) {
            if (!InBand(band, layout.RowY(layout.Positions[static_cast<std::size_t>(node->Id)])))
                continue;
            colors.For(*node);
            DrawLeaf(layout, *node, data, canvas, decor, shift);
            if (onLeaf)
                onLeaf();
        } else {
            DrawBracket(layout, *node, canvas, colors, plain, band);
        }
    }
}

std::vector<DendrogramBand> PageBands(const DendrogramLayout& layout, int pageHeight)
{
    const int rows = static_cast<int>(layout.Rows.size());
    if (LabelBottom(layout.Scale, rows) <= pageHeight)
        return {DendrogramBand{-Unbounded, Unbounded, 0}};
    // Pages meet half way between two rows. Each page's rows move up to the
    // first page's place, no higher than its header's bottom, and end where
    // both the last label and the edge below it are on the page.
    std::vector<DendrogramBand> bands;
    int first = 1;
    while (first <= rows) {
        DendrogramBand band;
        band.Top = first == 1 ? -Unbounded : layout.RowY(first + 1.5L);
        band.Shift = first == 1 ? 0
                                : std::min(layout.RowY(2.0L + first) - layout.RowY(3.0L),
                                           band.Top - layout.HeaderBottom());
        const auto fits = [&](int row) {
            return std::max(LabelBottom(layout.Scale, row), layout.RowY(row + 2.5L)) - band.Shift <=
                   pageHeight;
        };
        int last = first;
        while (last < rows && fits(last + 1))
            ++last;
        band.Bottom = last == rows ? Unbounded : layout.RowY(last + 2.5L);
        bands.push_back(band);
        first = last + 1;
    }
    return bands;
}

} // namespace vantrel
