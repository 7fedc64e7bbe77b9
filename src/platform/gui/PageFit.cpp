#include "platform/gui/PageFit.h"

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

// Draws nothing; measures text on its device as the real page would.
class ExtentCanvas : public PainterCanvas {
public:
    void BeginDoc() override { }
    void EndDoc() override { }
    void MoveTo(int x, int y) override
    {
        Note(y);
        PainterCanvas::MoveTo(x, y);
    }
    void LineTo(int x, int y) override
    {
        Note(y);
        PainterCanvas::LineTo(x, y);
    }
    void TextOut(int, int y, const std::string& text) override { Note(y + TextHeight(text)); }
    // A page without a bottom: the drawing is measured in one piece.
    int PageHeight() const override { return std::numeric_limits<int>::max() / 4; }

    int Bottom() const { return bottom_; }

private:
    void Note(int y) { bottom_ = std::max(bottom_, y); }
    int bottom_ = 0;
};

} // namespace

void FitPageHeightToDrawing(PageFileCanvas& canvas, const std::function<void(Canvas&)>& draw)
{
    // A new canvas has the same face; the page sets the size itself.
    ExtentCanvas probe;
    canvas.File().AttachProbe(probe);
    draw(probe);
    canvas.File().SetPageHeight(
        std::min(probe.Bottom() + probe.TextHeight("X"), canvas.File().MaxPageHeight()));
}

} // namespace vantrel
