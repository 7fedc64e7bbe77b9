#pragma once

#include "platform/core/Canvas.h"

namespace vantrel {

// The zoom of the results window's tree is the font size of its drawing,
// from which every size derives, as on the page: zooming scales the rows
// and the level axis alike and the labels never fall below a readable size.
inline constexpr int MinScreenFontSize = 7;
inline constexpr int MaxScreenFontSize = 48;
// Fitting never chooses a size larger than this.
inline constexpr int MaxFitFontSize = 16;

// `steps` zoom steps in (positive) or out (negative) from `fontSize`: a
// quarter larger or smaller each, at least one point, within the bounds.
int ZoomedFontSize(int fontSize, int steps);

// The largest size, from MinScreenFontSize to MaxFitFontSize, at which
// `rows` rows of the tree end above `height`; MinScreenFontSize when none
// does. Measures on `canvas`, which it leaves at the size found.
int FitFontSize(Canvas& canvas, int rows, int height);

// The width the level axis is fitted to: the view's at the size that fits,
// larger or smaller with the zoom from there.
int ZoomedWidth(int viewWidth, int fontSize, int fitFontSize);

} // namespace vantrel
