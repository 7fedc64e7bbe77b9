#include "platform/PrintDialog.h"

#include "platform/Printer.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

namespace vantrel {
namespace {

PrintDialogScript* activeScript = nullptr;

} // namespace

PrintDialogScript::PrintDialogScript() : outer_(activeScript)
{
    activeScript = this;
}
PrintDialogScript::~PrintDialogScript()
{
    activeScript = outer_;
}

bool PrintDialog::Execute(QWidget* parent)
{
    Printer& printer = Printer::Instance();
    if (activeScript) {
        ++activeScript->shown_;
        if (activeScript->answers_.empty())
            return false;
        const PrintDialogScript::Answer answer = activeScript->answers_.front();
        activeScript->answers_.pop_front();
        if (answer.Confirmed)
            printer.SetOutputFileName(answer.FileName);
        return answer.Confirmed;
    }
    QPrinter& system = printer.SystemPrinter();
    QPrintDialog dialog(&system, parent);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed) {
        const bool toFile =
            system.outputFormat() == QPrinter::PdfFormat || !system.outputFileName().isEmpty();
        printer.SetOutputFileName(toFile ? QFile::encodeName(system.outputFileName()).toStdString()
                                         : std::string());
    }
    return confirmed;
}

} // namespace vantrel
