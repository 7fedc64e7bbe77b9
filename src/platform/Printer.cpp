#include "platform/Printer.h"

#include "common/Errors.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
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
#include <QTemporaryDir>

#include <filesystem>
#include <utility>

namespace vantrel {
namespace {

// The first part of every job's name in a print queue.
constexpr const char* ProgramName = "Vantrel";

} // namespace

// Forwards to the painter canvas, choosing each job's device at BeginDoc: a
// page file, a PDF the user will see or the spooled pages of a printer's job.
class Printer::JobCanvas : public Canvas {
public:
    explicit JobCanvas(Printer& printer) : printer_(printer) { }

    void BeginDoc() override
    {
        printer_.lastPdfPath_.clear();
        // The file chosen in the print dialog was confirmed for this job only.
        const bool confirmed = std::exchange(printer_.outputFileConfirmed_, false);
        if (test_) {
            test_->BeginDoc();
            return;
        }
        Reset();
        systemJob_ = HasSystemPrinters() && !printer_.toFile_;
        if (systemJob_) {
            QPrinter& system = printer_.SystemPrinter();
            if (system.printerName().isEmpty())
                system.setPrinterName(DefaultPrinterName());
            spool_ = std::make_unique<QTemporaryDir>(
                QDir::temp().filePath(QStringLiteral("vantrel-print-XXXXXX")));
            if (!spool_->isValid())
                throw IoError("I/O error: " + Cp932ForMessage(QDir::tempPath().toStdString()) +
                              ": the pages cannot be put aside for printing: " +
                              Cp932ForMessage(spool_->errorString().toStdString()));
            pdfPath_ = QFile::encodeName(spool_->filePath(QStringLiteral("job.pdf"))).toStdString();
            pageFile_ = std::make_unique<PageFile>(pdfPath_, PageFile::Format::Pdf);
            pageFile_->SetPrinterPage(system.pageLayout(), system.resolution());
        } else {
            pdfPath_ = printer_.PdfPathForNextJob();
            if (printer_.askBeforeReplacing_ && !confirmed && IsFile(pdfPath_) &&
                !AskQuestion(ReplaceFileQuestion(pdfPath_))) {
                printer_.outputFileName_.clear();
                throw PdfKept(pdfPath_);
            }
            pageFile_ = std::make_unique<PageFile>(pdfPath_, PageFile::Format::Pdf);
        }
        // A file named in the dialog is for the job after it only.
        printer_.outputFileName_.clear();
        pageFile_->Attach(painter_);
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
        if (!pageFile_)
            return;
        struct ResetAtEnd {
            JobCanvas& canvas;
            ~ResetAtEnd() { canvas.Reset(); }
        } const reset{*this};
        pageFile_->Finish();
        if (!systemJob_) {
            printer_.lastPdfPath_ = pdfPath_;
            return;
        }
        // Complete: only now does the print system see the job.
        QPrinter& system = printer_.SystemPrinter();
        SubmitPdfJob(system.printerName().toStdString(), printer_.jobName_, pdfPath_,
                     PrintOptionsFor(system));
    }

    void AbortDoc() override
    {
        if (test_) {
            test_->AbortDoc();
            return;
        }
        // Nothing was sent anywhere: the pages so far are dropped, and an
        // existing PDF keeps its place.
        painter_.EndDoc();
        Reset();
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

    ~JobCanvas() override
    {
        painter_.EndDoc();
        Reset();
    }

private:
    Canvas& Target() { return test_ ? *test_ : static_cast<Canvas&>(painter_); }

    // Drops the job's files: an unfinished page file, the spooled pages.
    void Reset()
    {
        if (pageFile_)
            pageFile_->Discard();
        pageFile_.reset();
        spool_.reset();
    }

    static bool IsFile(const std::string& path)
    {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    }

    static QString DefaultPrinterName()
    {
        const QString name = QPrinterInfo::defaultPrinterName();
        if (!name.isEmpty())
            return name;
        const QStringList names = QPrinterInfo::availablePrinterNames();
        return names.isEmpty() ? QString() : names.constFirst();
    }

    Printer& printer_;
    PainterCanvas painter_;
    std::unique_ptr<PageFile> pageFile_;
    std::unique_ptr<QTemporaryDir> spool_;
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

void Printer::SetOutputFileName(std::string fileName, bool confirmed)
{
    toFile_ = !fileName.empty();
    outputFileConfirmed_ = confirmed && toFile_;
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

PdfKept::PdfKept(const std::string& fileName)
    : Error("Printing cancelled: " + Cp932ForMessage(fileName) +
            " already exists and was kept; nothing was printed.")
{
}

PrintJobScope::PrintJobScope(const std::string& what, std::string documentFileName, bool askBeforeReplacing)
    : previousName_(Printer::Instance().JobName()), previousDocument_(Printer::Instance().DocumentFileName()),
      previousAsk_(Printer::Instance().askBeforeReplacing_)
{
    Printer::Instance().SetJobName(ProgramName + std::string(" - ") + what);
    Printer::Instance().SetDocumentFileName(std::move(documentFileName));
    Printer::Instance().askBeforeReplacing_ = askBeforeReplacing;
}

PrintJobScope::~PrintJobScope()
{
    Printer::Instance().SetJobName(std::move(previousName_));
    Printer::Instance().SetDocumentFileName(std::move(previousDocument_));
    Printer::Instance().askBeforeReplacing_ = previousAsk_;
}

namespace {

std::optional<std::string> PrintWithDialog(QWidget* parent, const std::function<void(Canvas&)>& draw,
                                           const std::string& documentFileName, bool cancelStops)
{
    // The document is known before the dialog, whose file field shows
    // where its PDF would go.
    std::optional<PrintJobScope> job;
    if (!documentFileName.empty())
        job.emplace(QFileInfo(QFile::decodeName(QByteArray::fromStdString(documentFileName)))
                        .fileName()
                        .toStdString(),
                    documentFileName);
    if (!PrintDialog::Execute(parent) && cancelStops)
        return std::nullopt;
    Printer& printer = Printer::Instance();
    draw(printer.GetCanvas());
    return printer.LastPdfPath();
}

} // namespace

std::string PrintAfterDialog(QWidget* parent, const std::function<void(Canvas&)>& draw,
                             const std::string& documentFileName)
{
    return *PrintWithDialog(parent, draw, documentFileName, false);
}

std::optional<std::string> PrintIfConfirmed(QWidget* parent, const std::function<void(Canvas&)>& draw,
                                            const std::string& documentFileName)
{
    return PrintWithDialog(parent, draw, documentFileName, true);
}

} // namespace vantrel
