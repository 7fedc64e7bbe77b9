#pragma once

#include "common/Errors.h"
#include "platform/core/Canvas.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace vantrel {

// The process's one printer and its canvas. The canvas font (face and size)
// and pen persist from job to job.
//
// Where a job goes: to the system printer the print dialog chose; to a PDF
// file when the machine has no printer or the user chose to print to a file.
// The PDF goes to the file named in the dialog for the job after it, else
// next to the document the job belongs to (its name + ".pdf": the run's
// report, the file a window last saved or loaded), else to a time-stamped
// file in the user's documents folder; the dialog's file field suggests
// that place. LastPdfPath() tells the caller where, to tell the user. A PDF
// that cannot be written throws IoError, and a job the print system refuses
// throws Error naming the printer and its reason: printing never fails
// silently. Jobs carry a name (JobName) that print queues show.
//
// Nothing of a job reaches the print system before the job is complete: its
// pages go into a temporary PDF on the printer's paper, handed to the print
// system (CUPS) whole at EndDoc with the print dialog's choices as options.
// A job given up (AbortDoc, a cancel) deletes that file and prints nothing.
// Likewise a PDF job writes a new file and puts it in place of an existing
// one only when complete; given up, it leaves the existing file as it was.
class Printer {
public:
    static Printer& Instance();

    // The canvas of the current printer: BeginDoc starts a job there.
    Canvas& GetCanvas();

    // True when the system has at least one printer installed.
    static bool HasSystemPrinters();
    // The printer the print dialog works on (created on first use).
    QPrinter& SystemPrinter();

    // The file to print the next job to instead of the printer ("print to
    // file" in the dialog); later jobs keep going to files, each to its own
    // place. Empty for the printer itself. `confirmed`: the user chose it
    // knowing it would be replaced (the print dialog asks).
    void SetOutputFileName(std::string fileName, bool confirmed = false);
    const std::string& OutputFileName() const { return outputFileName_; }

    // The file the next jobs belong to, for the name of their PDF; empty for
    // none.
    void SetDocumentFileName(std::string fileName) { documentFileName_ = std::move(fileName); }
    const std::string& DocumentFileName() const { return documentFileName_; }
    // Where the next job's PDF would go when it goes to a file.
    std::string PdfPathForNextJob() const;
    // The PDF written by the last finished job; empty when it went to the
    // system printer or to a test canvas.
    const std::string& LastPdfPath() const { return lastPdfPath_; }

    // Test seam: while set, every job goes to this canvas instead.
    void SetTestCanvas(Canvas* canvas);
    // Test seam: while set, the print system refuses every job drawn on the
    // test canvas, as the printer `printerName` would for `reason`.
    void SetTestRefusal(std::optional<std::pair<std::string, std::string>> printerAndReason);

    // The name of the next jobs: the program's name and what is printed.
    const std::string& JobName() const { return jobName_; }
    void SetJobName(std::string name) { jobName_ = std::move(name); }

    ~Printer();

private:
    Printer();
    class JobCanvas;
    friend class JobCanvas;

    friend class PrintJobScope;

    std::unique_ptr<JobCanvas> canvas_;
    std::unique_ptr<QPrinter> systemPrinter_;
    std::string outputFileName_;
    std::string documentFileName_;
    std::string lastPdfPath_;
    bool toFile_ = false;
    bool outputFileConfirmed_ = false;
    bool askBeforeReplacing_ = false;
    std::string jobName_;
    std::optional<std::pair<std::string, std::string>> testRefusal_;
};

// "The printer ... refused the print job: " and the print system's reason.
std::string JobRefusedText(const std::string& printerName, const std::string& reason);

// Thrown by a job whose PDF would have replaced an existing file the user
// chose to keep: nothing was printed, the file is as it was.
class PdfKept : public Error {
public:
    explicit PdfKept(const std::string& fileName);
};

// What the jobs begun while it lives are: "Vantrel - " and `what` (the
// report's name or a window's caption, UTF-8) names them in print queues,
// and their PDF goes beside `documentFileName`, named after it (empty for
// none). With `askBeforeReplacing`, a job whose PDF would replace an
// existing file nobody chose in the print dialog asks first; No throws
// PdfKept. The previous settings come back at its end.
class PrintJobScope {
public:
    PrintJobScope(const std::string& what, std::string documentFileName, bool askBeforeReplacing = false);
    ~PrintJobScope();
    PrintJobScope(const PrintJobScope&) = delete;
    PrintJobScope& operator=(const PrintJobScope&) = delete;

private:
    std::string previousName_;
    std::string previousDocument_;
    bool previousAsk_;
};

// The usual way to print a page: shows the print dialog (its answer does not
// stop the page), then runs `draw` on the printer's canvas; `draw` begins and
// ends the job itself (PrintDendrogram does). `documentFileName` names the
// file the page belongs to (the run's report), which also names the job and
// beside which its PDF goes; empty for none (a PrintJobScope may say). Returns the PDF file the page went to, to tell the user,
// or empty when it went to a system printer.
std::string PrintAfterDialog(QWidget* parent, const std::function<void(Canvas&)>& draw,
                             const std::string& documentFileName = {});

// As PrintAfterDialog, for a print the user asks for with a print button of
// its own: the dialog's Cancel prints nothing and gives nothing back.
std::optional<std::string> PrintIfConfirmed(QWidget* parent, const std::function<void(Canvas&)>& draw,
                                            const std::string& documentFileName = {});

} // namespace vantrel
