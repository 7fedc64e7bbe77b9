#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"
#include "platform/core/Canvas.h"
#include "platform/core/Progress.h"

#include <cstdint>
#include <string>

namespace vantrel {

// The dendrogram page: the level axis runs across the page, the objects down
// it, one row per leaf in the order of a left-first walk, labels in the left
// margin. Every size derives from the height of "X" (H) and the width of
// "WWWWW" (W) in the page font, so the page scales with the font size.
//
// Order of use: the caller shows the print dialog first (its answer does not
// stop the page) and then calls PrintDendrogram / PrintSimDendrogram with the
// canvas of the printer that is current afterwards. The page begins and ends
// its own print job on that canvas.

// The page's scales, set up anew for every page.
struct DendrogramScale {
    int H = 0; // text height of "X"
    int W = 0; // text width of "WWWWW"
    int s = 0; // device units per 1/N of the level range
    long double u = 1.0L; // level unit: the level range / N
    long double Range = 1.0L; // the level range (never 0) and N, for levels
    int Objects = 1; // whose plain scaling would leave the long double range
    long double r = 2.0L; // running leaf position
    long double Increment = 1.0L;
    long double SimLeafHeight = 0.0L; // similarity pages: the leaves' level
    // Dissimilarity pages: the level at the tree's left edge (0, or the
    // lowest level when the range spans the tree's levels).
    long double Origin = 0.0L;
    // Moves the whole drawing right (0 on the printed page).
    int Left = 0;
};

// Nearest integer, ties to even, held well inside the int range so that
// absurd levels draw off the page instead of overflowing.
int Nint(long double x);

// (o + 2) × H × 1.2, to the nearest device unit.
int OrdinateToY(const DendrogramScale& scale, long double o);
// The bottom edge of the label of row `row` (the first is 1): a row fits
// a page when its label ends above the page's bottom.
int LabelBottom(const DendrogramScale& scale, int row);
// Dissimilarity level to x: level 0 (the Origin) stands at 2W (+ Left).
int HeightToX(const DendrogramScale& scale, long double h);
// Similarity level to x: SimLeafHeight stands at 2W (+ Left), lower levels
// to the right.
int SimilarityToX(const DendrogramScale& scale, long double v);

// The font size typed in the main window: optional blanks, an optional sign
// and decimal digits, optional blanks, within the 32-bit integers; anything
// else gives 10. An integer that cannot be printed takes the nearest size
// that can: 1 for 0 and below, MaxFontSize above it (a larger "X" would
// leave no room for a second row on any page).
inline constexpr int MaxFontSize = 500;
int FontSizeFromText(const std::string& text);

// The caption above the tree for a DistType (code page 932): the method's
// name as the main window lists it, with "＜類似度＞" on similarity pages;
// empty for a value that names no method.
std::string MethodCaption(std::uint8_t distType, bool similarity);

// Measures the page font and fits the level axis to the page width.
// `levelRange` is root Height (dissimilarity) or SimLeafHeight (similarity);
// a zero range is drawn as a range of 1, so nothing divides by zero. (The
// similarity page passes the tree's own span when SimLeafHeight is 0.)
DendrogramScale SetUpScale(Canvas& canvas, int objectCount, long double levelRange);
// The same for a given page width instead of the canvas's.
DendrogramScale SetUpScale(Canvas& canvas, int objectCount, long double levelRange, int pageWidth);

// Draws the subtree under `root`: labels at the leaves, one bracket per
// merge, left child first; sets every node's PlotPosition. The walk keeps
// its own stack, so a chain-shaped tree of any depth is safe.
void DrawBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas);
void DrawSimBranches(ClusterNode& root, DendrogramScale& scale, const AnalysisData& data, Canvas& canvas);

// How a page's rows, one per object, fit its printable height: a row is
// lost when its label does not end above the bottom. When rows are lost,
// the largest font size at which all of them fit, 0 when none does.
struct RowFit {
    int Rows = 0;
    int Lost = 0;
    int LargestFittingSize = 0;
};

// Measures, on a canvas inside its job with the page's font size
// `fontSize` set, how `rows` rows fit; leaves the canvas at that size.
RowFit FitRows(Canvas& canvas, int rows, int fontSize);

// One whole page for a tree of dissimilarities (leaves at level 0) or of
// similarities (leaves at SimLeafHeight), captioned with the method of
// `distType`. Nothing limits the page's height; the result says how its
// rows fit. Throws Error when there is no tree.
RowFit PrintDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                       const std::string& fontSizeText, Canvas& canvas);
RowFit PrintSimDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                          const std::string& fontSizeText, Canvas& canvas);

struct DendrogramDecor;

// How the whole-tree pages look beyond the page's design: coloured and
// annotated (null: as the page), and with room made for the labels.
struct WholeTreeStyle {
    const DendrogramDecor* Decor = nullptr;
    bool LabelsInside = false;
    std::string WidestNote;
};

// The whole tree, no row lost: one page when the canvas's page holds every
// row (then exactly the page PrintDendrogram draws), else as many pages as
// it needs, each with its caption and axis above its share of the rows.
// `progress` counts the rows drawn; a cancel or failure gives up the job
// (Canvas::AbortDoc) before it leaves.
RowFit PrintWholeDendrogram(const AnalysisData& data, ClusterTree& tree, std::uint8_t distType,
                            bool similarity, const std::string& fontSizeText, Canvas& canvas,
                            const WholeTreeStyle& style = {}, Progress& progress = NoProgress());

} // namespace vantrel
