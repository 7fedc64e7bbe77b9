#include "input/InputWindow.h"

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

} // namespace vantrel
