#include "platform/PrintDialog.h"

#include "platform/Printer.h"

#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

namespace vantrel {
namespace {

PrintDialogScript* activeScript = nullptr;

} // namespace

PrintDialogScript::PrintDialogScript() : outer_(activeScript) { activeScript = this; }
PrintDialogScript::~PrintDialogScript() { activeScript = outer_; }

bool PrintDialog::Execute(QWidget* parent)
{
    Printer& printer = Printer::Instance();
    const std::string suggested = printer.PdfPathForNextJob();
    if (activeScript) {
        activeScript->shown_.push_back({printer.JobName(), suggested});
        if (activeScript->answers_.empty())
            return false;
        const PrintDialogScript::Answer answer = activeScript->answers_.front();
        activeScript->answers_.pop_front();
        // A file confirmed in the dialog was asked about there.
        if (answer.Confirmed)
            printer.SetOutputFileName(answer.Suggested ? suggested : answer.FileName, true);
        return answer.Confirmed;
    }
    QPrinter& system = printer.SystemPrinter();
    system.setDocName(QString::fromStdString(printer.JobName()));
    QPrintDialog dialog(&system, parent);
    // The dialog's own suggestion would be "print.pdf" in the working
    // folder; its file field (named so in Qt's form) shows the job's place.
    if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        field->setText(QFile::decodeName(QByteArray::fromStdString(suggested)));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed) {
        const bool toFile =
            system.outputFormat() == QPrinter::PdfFormat || !system.outputFileName().isEmpty();
        // The dialog asks before its file is replaced.
        printer.SetOutputFileName(
            toFile ? QFile::encodeName(system.outputFileName()).toStdString() : std::string(), true);
    }
    return confirmed;
}

} // namespace vantrel
