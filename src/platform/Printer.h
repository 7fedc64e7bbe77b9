#pragma once

#include "platform/core/Canvas.h"

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace vantrel {

// The process's one printer and its canvas. The canvas font (face and size)
// and pen persist from job to job.
//
// Where a job goes: to the system printer the print dialog chose; to a PDF
// file when the machine has no printer or the user chose to print to a file.
// The PDF goes to the file named in the dialog, else next to the document
// the job belongs to (its name + ".pdf": the run's report), else to a
// time-stamped file in the user's documents folder. LastPdfPath() tells the
// caller where, to tell the user. A PDF that cannot be written throws
// IoError: printing never fails silently.
class Printer {
public:
    static Printer& Instance();

    // The canvas of the current printer: BeginDoc starts a job there.
    Canvas& GetCanvas();

    // True when the system has at least one printer installed.
    static bool HasSystemPrinters();
    // The printer the print dialog works on (created on first use).
    QPrinter& SystemPrinter();

    // The file to print to instead of the printer ("print to file" in the
    // dialog); empty for the printer itself.
    void SetOutputFileName(std::string fileName);
    const std::string& OutputFileName() const { return outputFileName_; }

    // The file the next jobs belong to, for the name of their PDF; empty for
    // none.
    void SetDocumentFileName(std::string fileName) { documentFileName_ = std::move(fileName); }
    // Where the next job's PDF would go when it goes to a file.
    std::string PdfPathForNextJob() const;
    // The PDF written by the last finished job; empty when it went to the
    // system printer or to a test canvas.
    const std::string& LastPdfPath() const { return lastPdfPath_; }

    // Test seam: while set, every job goes to this canvas instead.
    void SetTestCanvas(Canvas* canvas);

    ~Printer();

private:
    Printer();
    class JobCanvas;
    friend class JobCanvas;

    std::unique_ptr<JobCanvas> canvas_;
    std::unique_ptr<QPrinter> systemPrinter_;
    std::string outputFileName_;
    std::string documentFileName_;
    std::string lastPdfPath_;
};

// The usual way to print a page: shows the print dialog (its answer does not
// stop the page), then runs `draw` on the printer's canvas; `draw` begins and
// ends the job itself (PrintDendrogram does). `documentFileName` names the
// file the page belongs to (the run's report), beside which its PDF goes;
// empty for none. Returns the PDF file the page went to, to tell the user,
// or empty when it went to a system printer.
std::string PrintAfterDialog(QWidget* parent, const std::function<void(Canvas&)>& draw,
                             const std::string& documentFileName = {});

} // namespace vantrel
