#pragma once

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace vantrel {

// The print dialog: the user chooses the printer (or printing to a PDF
// file), which becomes the current printer of Printer::Instance(). A run's
// page is printed whatever the answer (PrintAfterDialog); a print button of
// its own prints nothing after Cancel (PrintIfConfirmed). Its output file
// field shows where the next job's PDF goes (Printer::PdfPathForNextJob).
class PrintDialog {
public:
    // Shows the dialog modally; true when the user confirmed.
    static bool Execute(QWidget* parent = nullptr);
};

// Test seam: while a script is installed, Execute shows nothing and takes
// the next scripted answer; with none left it cancels. The number of dialogs
// shown is counted.
class PrintDialogScript {
public:
    PrintDialogScript();
    ~PrintDialogScript();
    PrintDialogScript(const PrintDialogScript&) = delete;
    PrintDialogScript& operator=(const PrintDialogScript&) = delete;

    void AddConfirm() { answers_.push_back({true, {}}); }
    void AddCancel() { answers_.push_back({false, {}}); }
    // The user confirms with "print to file" and this file name.
    void AddPrintToFile(std::string fileName) { answers_.push_back({true, std::move(fileName)}); }
    // The user confirms with "print to file" and the name the field shows.
    void AddPrintToSuggestedFile() { answers_.push_back({true, {}, true}); }

    int ShownCount() const { return static_cast<int>(shown_.size()); }
    // Each dialog shown: the job it was for and the PDF its field showed.
    struct Shown {
        std::string JobName;
        std::string OutputFile;
    };
    const std::vector<Shown>& ShownDialogs() const { return shown_; }

private:
    friend class PrintDialog;
    struct Answer {
        bool Confirmed;
        std::string FileName;
        bool Suggested = false;
    };
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
    PrintDialogScript* outer_;
};

} // namespace vantrel
