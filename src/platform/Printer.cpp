#include "platform/Printer.h"

#include "common/Errors.h"
#include "platform/PrintDialog.h"
#include "platform/PrintQueue.h"
#include "platform/core/Cp932.h"
#include "platform/gui/PageFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace vantrel {
namespace {

// The first part of every job's name in a print queue.
constexpr const char* ProgramName = "Vantrel";

} // namespace

// Forwards to the painter canvas, choosing each job's device at BeginDoc.
class Printer::JobCanvas : public Canvas {
public:
    explicit JobCanvas(Printer& printer) : printer_(printer) { }

    void BeginDoc() override
    {
        printer_.lastPdfPath_.clear();
        if (test_) {
            test_->BeginDoc();
            return;
        }
        pageFile_.reset();
        pdfPath_.clear();
        systemJob_ = HasSystemPrinters() && !printer_.toFile_;
        if (systemJob_) {
            QPrinter& system = printer_.SystemPrinter();
            system.setOutputFormat(QPrinter::NativeFormat);
            system.setDocName(QString::fromStdString(printer_.jobName_));
            painter_.SetDevice(&system, &system);
        } else {
            pdfPath_ = printer_.PdfPathForNextJob();
            pageFile_ = std::make_unique<PageFile>(pdfPath_, PageFile::Format::Pdf);
            pageFile_->Attach(painter_);
        }
        // A file named in the dialog is for the job after it only.
        printer_.outputFileName_.clear();
        painter_.BeginDoc();
    }

    void EndDoc() override
    {
        if (test_) {
            test_->EndDoc();
            if (printer_.testRefusal_)
                throw Error(JobRefusedText(printer_.testRefusal_->first, printer_.testRefusal_->second));
            return;
        }
        painter_.EndDoc();
        if (pageFile_) {
            pageFile_->Finish();
            pageFile_.reset();
            printer_.lastPdfPath_ = pdfPath_;
        } else if (printer_.systemPrinter_ && printer_.systemPrinter_->printerState() == QPrinter::Error) {
            throw Error("The page could not be printed on " +
                        Cp932ForMessage(printer_.systemPrinter_->printerName().toStdString()) + ".");
        }
        if (systemJob_) {
            const std::string name = printer_.systemPrinter_->printerName().toStdString();
            if (const std::optional<std::string> reason = LastJobRefusal(name))
                throw Error(JobRefusedText(name, *reason));
        }
    }

    void AbortDoc() override
    {
        if (test_) {
            test_->AbortDoc();
            return;
        }
        if (pageFile_) {
            painter_.EndDoc();
            const std::unique_ptr<PageFile> file = std::move(pageFile_);
            file->Discard();
            return;
        }
        if (!painter_.Active())
            return;
        // Where the platform's engine cannot withdraw a job (Qt's CUPS engine
        // spools the whole job and sends it when the painter ends), the pages
        // so far still go out, and the user must hear of it.
        QPrinter& system = printer_.SystemPrinter();
        const bool withdrawn = system.abort();
        painter_.EndDoc();
        if (!withdrawn)
            throw Error("The print job on " + Cp932ForMessage(system.printerName().toStdString()) +
                        " could not be withdrawn: the pages printed before the cancel may still come out.");
    }

    void NewPage() override { Target().NewPage(); }
    int PageWidth() const override { return test_ ? test_->PageWidth() : painter_.PageWidth(); }
    int PageHeight() const override { return test_ ? test_->PageHeight() : painter_.PageHeight(); }
    void SetFontName(const std::string& face) override { Target().SetFontName(face); }
    void SetFontSize(int points) override { Target().SetFontSize(points); }
    int TextWidth(const std::string& text) override { return Target().TextWidth(text); }
    int TextHeight(const std::string& text) override { return Target().TextHeight(text); }
    void SetColor(std::uint32_t rgb) override { Target().SetColor(rgb); }
    void MoveTo(int x, int y) override { Target().MoveTo(x, y); }
    void LineTo(int x, int y) override { Target().LineTo(x, y); }
    void TextOut(int x, int y, const std::string& text) override { Target().TextOut(x, y, text); }

    void SetTest(Canvas* canvas) { test_ = canvas; }

    ~JobCanvas() override { painter_.EndDoc(); }

private:
    Canvas& Target() { return test_ ? *test_ : static_cast<Canvas&>(painter_); }

    Printer& printer_;
    PainterCanvas painter_;
    std::unique_ptr<PageFile> pageFile_;
    std::string pdfPath_;
    bool systemJob_ = false;
    Canvas* test_ = nullptr;
};

Printer::Printer() : canvas_(std::make_unique<JobCanvas>(*this)) { }
Printer::~Printer() = default;

Printer& Printer::Instance()
{
    static Printer printer;
    return printer;
}

Canvas& Printer::GetCanvas() { return *canvas_; }

bool Printer::HasSystemPrinters() { return !QPrinterInfo::availablePrinters().isEmpty(); }

QPrinter& Printer::SystemPrinter()
{
    if (!systemPrinter_)
        systemPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *systemPrinter_;
}

void Printer::SetOutputFileName(std::string fileName)
{
    toFile_ = !fileName.empty();
    outputFileName_ = std::move(fileName);
}

std::string Printer::PdfPathForNextJob() const
{
    if (!outputFileName_.empty())
        return outputFileName_;
    if (!documentFileName_.empty())
        return documentFileName_ + ".pdf";
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = QStringLiteral("Vantrel-%1.pdf")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    return QFile::encodeName(QDir(folder).filePath(name)).toStdString();
}

void Printer::SetTestCanvas(Canvas* canvas) { canvas_->SetTest(canvas); }

void Printer::SetTestRefusal(std::optional<std::pair<std::string, std::string>> printerAndReason)
{
    testRefusal_ = std::move(printerAndReason);
}

std::string JobRefusedText(const std::string& printerName, const std::string& reason)
{
    return "The printer " + Cp932ForMessage(printerName) +
           " refused the print job: " + Cp932ForMessage(reason);
}

PrintJobScope::PrintJobScope(const std::string& what, std::string documentFileName)
    : previousName_(Printer::Instance().JobName()), previousDocument_(Printer::Instance().DocumentFileName())
{
    Printer::Instance().SetJobName(ProgramName + std::string(" - ") + what);
    Printer::Instance().SetDocumentFileName(std::move(documentFileName));
}

PrintJobScope::~PrintJobScope()
{
    Printer::Instance().SetJobName(std::move(previousName_));
    Printer::Instance().SetDocumentFileName(std::move(previousDocument_));
}

std::string PrintAfterDialog(QWidget* parent, const std::function<void(Canvas&)>& draw,
                             const std::string& documentFileName)
{
    // The document is known before the dialog, whose file field shows
    // where its PDF would go.
    std::optional<PrintJobScope> job;
    if (!documentFileName.empty())
        job.emplace(QFileInfo(QFile::decodeName(QByteArray::fromStdString(documentFileName)))
                        .fileName()
                        .toStdString(),
                    documentFileName);
    PrintDialog::Execute(parent);
    Printer& printer = Printer::Instance();
    draw(printer.GetCanvas());
    return printer.LastPdfPath();
}

} // namespace vantrel
