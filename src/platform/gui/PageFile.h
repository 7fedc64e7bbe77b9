#pragma once

#include "platform/gui/PainterCanvas.h"

#include <memory>
#include <string>

class QPageLayout;

namespace vantrel {

// A print job that goes to a file instead of a printer: a PDF (A4, 600 dots
// per inch, 10 mm margins, like a laser printer's page) or, for names ending
// in ".png", a PNG image of the A4 page at 150 dots per inch, or for ".svg"
// an SVG picture of the A4 page at 600 dots per inch. Drawing goes through
// the given canvas, which keeps its font and pen. The page may be made
// taller than A4 (SetPageHeight); its width stays.
//
// The page is written to a new file beside the target and takes its place
// only when complete (Finish): an existing file stays as it was until then,
// and for good when the job is given up (Discard). A target that exists and
// is not a regular file (a device) is written directly; a folder fails.
//
// Every failure is an IoError naming the file: the file cannot be created,
// the page cannot be started, or the data cannot be written.
class PageFile {
public:
    enum class Format { Pdf, Png, Svg };

    // `fileName` is the platform's bytes (UTF-8 here), as fopen takes them.
    PageFile(std::string fileName, Format format);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    // PNG or SVG for names ending in ".png" or ".svg" (any case), else PDF.
    static Format FormatForName(const std::string& fileName);

    // The height of the page's drawing area in device units for the next
    // Attach: at least the A4 page's, taller when `deviceUnits` asks for it.
    void SetPageHeight(int deviceUnits) { pageHeight_ = deviceUnits; }
    // A PDF with a printer's pages instead of A4's: its paper, orientation
    // and margins, and its resolution (dots per inch).
    void SetPrinterPage(const QPageLayout& layout, int resolution);
    // The tallest drawing area of the format: PDF viewers that follow
    // Acrobat's limit refuse pages over 200 inches, margins included;
    // pictures have no limit.
    int MaxPageHeight() const;
    // Hands `canvas` a device like the page's (same resolution and width)
    // that nothing is drawn on and no file is made for: for measuring a
    // drawing before the page is made. Valid until the next Attach.
    void AttachProbe(PainterCanvas& canvas);

    // Creates the file and hands the page to `canvas` (its SetDevice); the
    // caller then draws between canvas.BeginDoc() and canvas.EndDoc().
    void Attach(PainterCanvas& canvas);
    // After canvas.EndDoc(): writes out what is pending, closes the file and
    // puts it in place of the target.
    void Finish();
    // After canvas.EndDoc() of a job given up part-way: drops what was
    // written; the target is left as it was.
    void Discard();

    const std::string& FileName() const { return fileName_; }

private:
    struct Parts;
    std::string fileName_;
    Format format_;
    int pageHeight_ = 0;
    std::unique_ptr<QPageLayout> printerPage_;
    int printerResolution_ = 0;
    std::unique_ptr<Parts> parts_;
};

// A canvas with its own page file: BeginDoc creates the file, EndDoc writes
// it. For the batch program and anything else that prints to a file.
class PageFileCanvas : public PainterCanvas {
public:
    PageFileCanvas(std::string fileName, PageFile::Format format);
    explicit PageFileCanvas(const std::string& fileName)
        : PageFileCanvas(fileName, PageFile::FormatForName(fileName))
    {
    }

    // A job abandoned by an error is closed before its device goes away.
    ~PageFileCanvas() override { PainterCanvas::EndDoc(); }

    void BeginDoc() override;
    void EndDoc() override;
    void AbortDoc() override;

    PageFile& File() { return file_; }

private:
    PageFile file_;
};

} // namespace vantrel
