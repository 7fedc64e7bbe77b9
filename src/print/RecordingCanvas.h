#pragma once

#include "platform/core/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// A canvas with fixed metrics that records what is drawn, for tests of the
// page geometry. Every byte of a text is `ByteWidth` wide and every text is
// `Height` high, whatever the font size; so "WWWWW" measures 5 × ByteWidth.
class RecordingCanvas : public Canvas {
public:
    enum class Op { BeginDoc, EndDoc, AbortDoc, NewPage, MoveTo, LineTo, TextOut };
    struct Command {
        Op Kind;
        int X = 0;
        int Y = 0;
        std::string Text;
        int FontSize = 0;
        std::uint32_t Color = 0; // 0xRRGGBB
    };

    RecordingCanvas(int height = 40, int byteWidth = 12, int pageWidth = 900, int pageHeight = 1200)
        : height_(height), byteWidth_(byteWidth), pageWidth_(pageWidth), pageHeight_(pageHeight)
    {
    }

    void BeginDoc() override
    {
        color_ = 0;
        Record(Op::BeginDoc);
    }
    void EndDoc() override { Record(Op::EndDoc); }
    void AbortDoc() override { Record(Op::AbortDoc); }
    void NewPage() override { Record(Op::NewPage); }
    int PageWidth() const override { return pageWidth_; }
    int PageHeight() const override { return pageHeight_; }
    void SetFontName(const std::string& face) override { fontName_ = face; }
    void SetFontSize(int points) override { fontSize_ = points; }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * byteWidth_; }
    int TextHeight(const std::string&) override { return height_; }
    void SetColor(std::uint32_t rgb) override { color_ = rgb; }
    void MoveTo(int x, int y) override { Record(Op::MoveTo, x, y); }
    void LineTo(int x, int y) override { Record(Op::LineTo, x, y); }
    void TextOut(int x, int y, const std::string& text) override { Record(Op::TextOut, x, y, text); }

    const std::vector<Command>& Commands() const { return commands_; }
    // The texts written, in order.
    std::vector<Command> Texts() const;
    // The pen strokes as (x1, y1, x2, y2), each LineTo joined to the point
    // before, with the colour it was drawn in.
    struct Line {
        int X1, Y1, X2, Y2;
        std::uint32_t Color = 0;
        bool operator==(const Line&) const = default;
    };
    std::vector<Line> Lines() const;
    int FontSize() const { return fontSize_; }
    const std::string& FontName() const { return fontName_; }
    void Clear() { commands_.clear(); }

private:
    void Record(Op kind, int x = 0, int y = 0, std::string text = {})
    {
        commands_.push_back({kind, x, y, std::move(text), fontSize_, color_});
    }

    int height_;
    int byteWidth_;
    int pageWidth_;
    int pageHeight_;
    int fontSize_ = 0;
    std::uint32_t color_ = 0;
    std::string fontName_;
    std::vector<Command> commands_;
};

} // namespace vantrel
