#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// What the printed pages need of a printer: one job of pages, a font whose
// face and size persist between jobs, text measurement and pen drawing in
// device units. The origin is the top-left corner of the printable area,
// y downwards; texts are placed by their top-left corner. Texts are code
// page 932 bytes; face names are the Windows face names in UTF-8
// ("ＭＳ ゴシック"), mapped to installed faces by the drawing side.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    // Gives up the job begun by BeginDoc, as when the user cancels it:
    // nothing of it is printed, and a page file leaves the file it would
    // have replaced as it was. A canvas with nothing to give up ends the
    // job.
    virtual void AbortDoc() { EndDoc(); }

    // Printable area in device units.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    virtual void SetFontName(const std::string& face) = 0;
    virtual void SetFontSize(int points) = 0;

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;

    // The colour of the strokes and texts that follow, 0xRRGGBB; every job
    // begins in black. A canvas without colours ignores it.
    virtual void SetColor(std::uint32_t rgb) { (void)rgb; }

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
};

} // namespace vantrel
