#include "input/InputWindow.h"

#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "print/Listing.h"

#include <QCloseEvent>

namespace vantrel {

void InputWindow::closeEvent(QCloseEvent* event)
{
    // The window is only hidden; it keeps its data and dialogs for the run.
    event->accept();
    emit Closed();
}

void InputWindow::CloseConfirmed()
{
    confirmed_ = true;
    close();
}

bool InputWindow::PrintListing(const std::function<void(Progress&)>& print)
{
    const PrintJobScope job(windowTitle().toStdString(), lastFile_, true);
    std::string kept;
    const auto stopped = [&kept] { return kept.empty() ? PrintingCancelledText() : kept; };
    if (!RunWithProgress(this, stopped, [&](Progress& progress) {
            try {
                print(progress);
            } catch (const PdfKept& declined) {
                // Not a failure: the user kept the file, as asked.
                kept = declined.what();
                throw WorkCancelled();
            }
        }))
        return false;
    if (const std::string& pdf = Printer::Instance().LastPdfPath(); !pdf.empty())
        ShowMessage(PrintedToFileText(pdf), this);
    return true;
}

} // namespace vantrel
