#include "results/core/TreeZoom.h"

#include "print/Dendrogram.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

int ZoomedFontSize(int fontSize, int steps)
{
    int size = fontSize;
    for (; steps > 0; --steps)
        size = std::max(size + 1, static_cast<int>(std::lround(size * 1.25)));
    for (; steps < 0; ++steps)
        size = std::min(size - 1, static_cast<int>(std::lround(size / 1.25)));
    return std::clamp(size, MinScreenFontSize, MaxScreenFontSize);
}

int FitFontSize(Canvas& canvas, int rows, int height)
{
    const auto fits = [&](int size) {
        canvas.SetFontSize(size);
        DendrogramScale scale;
        scale.H = canvas.TextHeight("X");
        return LabelBottom(scale, rows) <= height;
    };
    // Text grows with the size: the last size that fits.
    int low = MinScreenFontSize;
    int high = MaxFitFontSize;
    int found = MinScreenFontSize;
    while (low <= high) {
        const int size = low + (high - low) / 2;
        if (fits(size)) {
            found = size;
            low = size + 1;
        } else {
            high = size - 1;
        }
    }
    canvas.SetFontSize(found);
    return found;
}

int ZoomedWidth(int viewWidth, int fontSize, int fitFontSize)
{
    return static_cast<int>(static_cast<long long>(viewWidth) * fontSize / std::max(fitFontSize, 1));
}

} // namespace vantrel
