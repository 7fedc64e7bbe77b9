#include "print/RecordingCanvas.h"

namespace vantrel {

std::vector<RecordingCanvas::Command> RecordingCanvas::Texts() const
{
    std::vector<Command> texts;
    for (const Command& c : commands_)
        if (c.Kind == Op::TextOut)
            texts.push_back(c);
    return texts;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::Lines() const
{
    std::vector<Line> lines;
    int x = 0;
    int y = 0;
    for (const Command& c : commands_) {
        if (c.Kind == Op::LineTo)
            lines.push_back({x, y, c.X, c.Y, c.Color});
        if (c.Kind == Op::MoveTo || c.Kind == Op::LineTo) {
            x = c.X;
            y = c.Y;
        }
    }
    return lines;
}

} // namespace vantrel
