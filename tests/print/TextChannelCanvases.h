#pragma once

#include "common/Errors.h"
#include "print/RecordingCanvas.h"

#include <string>
#include <vector>

namespace vantrel::testing {

// The printed lines of a recording canvas with line height `height`, the
// pages one after the other; a line with nothing drawn on it is "". Empty
// lines at the end of a page do not show.
inline std::vector<std::string> PrintedLines(const RecordingCanvas& canvas, int height)
{
    std::vector<std::string> lines;
    std::size_t pageStart = 0;
    for (const RecordingCanvas::Command& c : canvas.Commands()) {
        if (c.Kind == RecordingCanvas::Op::NewPage) {
            pageStart = lines.size();
            continue;
        }
        if (c.Kind != RecordingCanvas::Op::TextOut)
            continue;
        const std::size_t index = pageStart + static_cast<std::size_t>(c.Y / height);
        if (lines.size() <= index)
            lines.resize(index + 1);
        lines[index] += c.Text;
    }
    return lines;
}

// A recording canvas whose TextOut fails from the `failAt`-th text on (1 =
// the first), as a printer or page file that cannot take more.
class FailingCanvas : public RecordingCanvas {
public:
    FailingCanvas(int failAt, int height, int byteWidth, int pageWidth, int pageHeight)
        : RecordingCanvas(height, byteWidth, pageWidth, pageHeight), failAt_(failAt)
    {
    }

    void TextOut(int x, int y, const std::string& text) override
    {
        if (++texts_ >= failAt_)
            throw IoError("I/O error: PRN: No space left on device");
        RecordingCanvas::TextOut(x, y, text);
    }

private:
    int failAt_;
    int texts_ = 0;
};

} // namespace vantrel::testing
