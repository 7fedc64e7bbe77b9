#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"
#include "platform/core/Canvas.h"
#include "print/Dendrogram.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// The dendrogram's one layout and drawing routine, shared by the printed
// page, the whole-tree pages and pictures, and the results window's screen:
// first lay the tree out (scales, every node's row, the axis), then draw
// the header (axis, axis texts, caption) and the rows (labels and brackets)
// on any Canvas. The printed page is exactly the header and all rows.
//
// Level range. For complete linkage, group average and single linkage the
// axis runs from the leaves' level to the root's, as the page was designed.
// Ward, centroid, median and weighted average span every level of the tree:
// from the lowest (or the leaves', whichever is lower) to the highest, so
// that a root below a merge it contains, or below zero, stays on the page.
// Inversions are drawn as they are: a bracket whose level lies below its
// part's reaches back to the left. Labels always end at the tree's left
// edge, clear of such brackets.

// How the results window colours and annotates a tree; the page has none.
struct DendrogramDecor {
    // 0xRRGGBB of each node, by id (index 0 unused): a leaf's label and
    // note, a merge's vertical stroke, and the horizontal stroke from the
    // bracket above the node. Empty: everything in black.
    std::vector<std::uint32_t> NodeColors;
    // A short text in a column left of the labels, by leaf id (index 0
    // unused); empty for none.
    std::vector<std::string> LeafNotes;
};

// Where the layout puts the drawing.
struct LayoutRoom {
    // The width the level axis is fitted to; 0 for the canvas's page width.
    int Width = 0;
    // Moves the tree right so that the labels, and a note column as wide as
    // WidestNote, start on the page instead of being cut at its left edge.
    bool LabelsInside = false;
    std::string WidestNote;
    // Stretches the level axis over the width even where the page would
    // keep W per step (a screen, where the width is the zoom's).
    bool FillWidth = false;
};

struct DendrogramLayout {
    bool Similarity = false;
    DendrogramScale Scale;
    // Whether the level range spans the tree's levels (the four methods)
    // rather than running from the leaves to the root.
    bool SpansLevels = false;
    long double LeafLevel = 0.0L;
    // The lowest and highest level drawn.
    long double LowLevel = 0.0L;
    long double HighLevel = 0.0L;
    long double AxisFrom = 0.0L;
    long double AxisTo = 0.0L;
    std::string AxisFromText;
    std::string AxisToText;
    std::string Caption;
    // Every node's row position by id (index 0 unused): the k-th leaf of
    // the walk at 2 + k, a merge midway between its two parts.
    std::vector<long double> Positions;
    // The nodes in drawing order: post-order, left part first.
    std::vector<const ClusterNode*> Order;
    // The leaf ids from the top row down.
    std::vector<std::int32_t> Rows;
    // The x where labels end (one blank before the tree) and the caption
    // starts; the x where the note column ends.
    int TreeLeft = 0;
    int NotesRight = 0;
    // The right edge of the drawing (the axis text at the far end included)
    // and the bottom edge of the lowest label.
    int Right = 0;
    int Bottom = 0;

    // A level's x, and the level at an x (for a line the user places).
    int LevelX(long double level) const;
    long double LevelAtX(long double x) const;
    // A row position's y.
    int RowY(long double position) const { return OrdinateToY(Scale, position); }
    // The bottom edge of the axis texts: rows drawn below it never meet the
    // header.
    int HeaderBottom() const { return RowY(1.7L) + Scale.H; }
};

// Whether a method's page spans the tree's levels (ward, centroid, median,
// weighted average).
bool SpansTreeLevels(std::uint8_t distType);

// Lays out `tree` for the canvas's current font: H and W are measured on
// it, the level axis is fitted to the room's width. Throws Error when there
// is no tree.
DendrogramLayout LayOutDendrogram(Canvas& canvas, const AnalysisData& data, const ClusterTree& tree,
                                  std::uint8_t distType, bool similarity, const LayoutRoom& room = {});

// Numbers the rows of the subtree under `root` on from layout.Scale.r, in
// the page's walk (post-order, left part first, on an explicit stack so
// that a chain of any depth is safe), appending to Positions, Order and Rows.
void PlaceRows(const ClusterNode& root, DendrogramLayout& layout);

// Copies the layout's row positions into the nodes' PlotPosition.
void StorePlotPositions(const DendrogramLayout& layout, ClusterTree& tree);

// A horizontal band of the rows: what lies at layout y in [Top, Bottom)
// is drawn Shift higher up; vertical strokes are cut at the band's edges.
struct DendrogramBand {
    int Top = 0;
    int Bottom = 0;
    int Shift = 0;
};

// The axis, its two end texts and the method's caption, in black.
void DrawDendrogramHeader(const DendrogramLayout& layout, Canvas& canvas);

// The labels and brackets in drawing order, all of them or those of a band;
// `onLeaf` hears of each leaf drawn.
void DrawDendrogramRows(const DendrogramLayout& layout, const AnalysisData& data, Canvas& canvas,
                        const DendrogramDecor* decor = nullptr, const DendrogramBand* band = nullptr,
                        const std::function<void()>& onLeaf = {});

// The bands of pages `pageHeight` high, each beginning below its own
// header with the next row: as many rows on each as end above the page's
// bottom, at least one. One band holding everything when all rows fit.
std::vector<DendrogramBand> PageBands(const DendrogramLayout& layout, int pageHeight);

} // namespace vantrel
