#include "platform/gui/PageFile.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cerrno>

namespace vantrel {
namespace {

constexpr int PdfResolution = 600;
constexpr int ImageResolution = 150;
constexpr double MarginMillimetres = 10.0;

QString NativeName(const std::string& fileName)
{
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

[[noreturn]] void FailWith(const std::string& fileName, const QFile& file)
{
    throw IoError("I/O error: " + Cp932ForMessage(fileName) + ": " +
                  Cp932ForMessage(file.errorString().toStdString()));
}

} // namespace

struct PageFile::Parts {
    QFile File;
    std::unique_ptr<QPdfWriter> Pdf;
    std::unique_ptr<QImage> Image;
};

PageFile::PageFile(std::string fileName, Format format)
    : fileName_(std::move(fileName)), format_(format), parts_(std::make_unique<Parts>())
{
}

PageFile::~PageFile() = default;

PageFile::Format PageFile::FormatForName(const std::string& fileName)
{
    return QString::fromStdString(fileName).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)
               ? Format::Png
               : Format::Pdf;
}

void PageFile::Attach(PainterCanvas& canvas)
{
    parts_ = std::make_unique<Parts>();
    parts_->File.setFileName(NativeName(fileName_));
    errno = 0;
    if (!parts_->File.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (errno != 0)
            throw IoError(IoErrorText(fileName_, errno));
        FailWith(fileName_, parts_->File);
    }
    if (format_ == Format::Pdf) {
        parts_->Pdf = std::make_unique<QPdfWriter>(&parts_->File);
        parts_->Pdf->setResolution(PdfResolution);
        parts_->Pdf->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
                        QPageLayout::Millimeter));
        parts_->Pdf->setCreator(QStringLiteral("Vantrel"));
        canvas.SetDevice(parts_->Pdf.get(), parts_->Pdf.get());
    } else {
        const QSize pixels = QPageSize(QPageSize::A4).sizePixels(ImageResolution);
        parts_->Image = std::make_unique<QImage>(pixels, QImage::Format_RGB32);
        parts_->Image->fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(ImageResolution / 0.0254 + 0.5);
        parts_->Image->setDotsPerMeterX(dotsPerMetre);
        parts_->Image->setDotsPerMeterY(dotsPerMetre);
        canvas.SetDevice(parts_->Image.get());
    }
}

void PageFile::Finish()
{
    if (!parts_->File.isOpen())
        return;
    if (parts_->Image && !parts_->Image->save(&parts_->File, "PNG")) {
        parts_->File.close();
        throw IoError("I/O error: " + Cp932ForMessage(fileName_) + ": the image could not be written");
    }
    parts_->Pdf.reset();
    if (!parts_->File.flush() || parts_->File.error() != QFileDevice::NoError) {
        const std::string reason = parts_->File.errorString().toStdString();
        parts_->File.close();
        throw IoError("I/O error: " + Cp932ForMessage(fileName_) + ": " + Cp932ForMessage(reason));
    }
    parts_->File.close();
    if (parts_->File.error() != QFileDevice::NoError)
        FailWith(fileName_, parts_->File);
}

void PageFile::Discard()
{
    // Only a file this job created and has not finished is removed.
    if (!parts_->File.isOpen())
        return;
    parts_->Pdf.reset();
    parts_->Image.reset();
    parts_->File.close();
    if (!parts_->File.remove())
        FailWith(fileName_, parts_->File);
}

PageFileCanvas::PageFileCanvas(std::string fileName, PageFile::Format format)
    : file_(std::move(fileName), format)
{
}

void PageFileCanvas::BeginDoc()
{
    file_.Attach(*this);
    PainterCanvas::BeginDoc();
}

void PageFileCanvas::EndDoc()
{
    PainterCanvas::EndDoc();
    file_.Finish();
}

void PageFileCanvas::AbortDoc()
{
    PainterCanvas::EndDoc();
    file_.Discard();
}

} // namespace vantrel
