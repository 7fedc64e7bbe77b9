#include "input/InputWindow.h"

#include "platform/Printer.h"

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

std::string InputWindow::PrintListing(const std::function<void()>& print)
{
    const PrintJobScope job(windowTitle().toStdString(), lastFile_);
    print();
    return Printer::Instance().LastPdfPath();
}

} // namespace vantrel
