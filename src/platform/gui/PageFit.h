#pragma once

#include "platform/gui/PageFile.h"

#include <functional>

namespace vantrel {

// Makes the page of `canvas` as tall as `draw` needs: draws the page once on
// a probe of the same device that only measures and records how far down
// the drawing reaches (every line's end, every text's bottom edge), then
// asks for that height plus one text line of margin, up to the tallest page
// of the file's format. The page is never made shorter than A4. Call before
// the page is drawn; `draw` runs twice, the first time on a page without a
// bottom.
void FitPageHeightToDrawing(PageFileCanvas& canvas, const std::function<void(Canvas&)>& draw);

} // namespace vantrel
