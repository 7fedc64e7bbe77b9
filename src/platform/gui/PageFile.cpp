#include "platform/gui/PageFile.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace vantrel {
namespace {

constexpr int PdfResolution = 600;
constexpr int ImageResolution = 150;
constexpr int SvgResolution = 600;
constexpr double MarginMillimetres = 10.0;

QString NativeName(const std::string& fileName)
{
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

[[noreturn]] void FailWith(const std::string& fileName, const QFileDevice& file)
{
    throw IoError("I/O error: " + Cp932ForMessage(fileName) + ": " +
                  Cp932ForMessage(file.errorString().toStdString()));
}

} // namespace

struct PageFile::Parts {
    // A QSaveFile, or a QFile for a target that is not a regular file.
    std::unique_ptr<QFileDevice> File;
    std::unique_ptr<QPdfWriter> Pdf;
    std::unique_ptr<QImage> Image;
    std::unique_ptr<QSvgGenerator> Svg;

    // Makes the device of `page`, writing to `output` (null: nowhere), and
    // hands it to `canvas`.
    void MakeDevice(const PageFile& page, QIODevice* output, PainterCanvas& canvas);
    void MakePdf(const QPageLayout& layout, int resolution, QIODevice* output, PainterCanvas& canvas);
    bool IsOpen() const { return File && File->isOpen(); }
};

void PageFile::Parts::MakePdf(const QPageLayout& layout, int resolution, QIODevice* output,
                              PainterCanvas& canvas)
{
    Pdf = output ? std::make_unique<QPdfWriter>(output) : std::make_unique<QPdfWriter>(QString());
    Pdf->setResolution(resolution);
    Pdf->setPageLayout(layout);
    Pdf->setCreator(QStringLiteral("Vantrel"));
    canvas.SetDevice(Pdf.get(), Pdf.get());
}

void PageFile::Parts::MakeDevice(const PageFile& page, QIODevice* output, PainterCanvas& canvas)
{
    // The drawing area's least height.
    const int height = page.pageHeight_;
    if (page.format_ == Format::Pdf && page.printerPage_) {
        MakePdf(*page.printerPage_, page.printerResolution_, output, canvas);
        return;
    }
    if (page.format_ == Format::Pdf) {
        const QMarginsF margins(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres);
        QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter);
        const QSizeF a4 = layout.pageSize().size(QPageSize::Millimeter);
        const double tall = height * 25.4 / PdfResolution + 2 * MarginMillimetres;
        if (tall > a4.height())
            layout.setPageSize(
                QPageSize(QSizeF(a4.width(), tall), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                margins);
        MakePdf(layout, PdfResolution, output, canvas);
        return;
    }
    const int resolution = page.format_ == Format::Png ? ImageResolution : SvgResolution;
    QSize pixels = QPageSize(QPageSize::A4).sizePixels(resolution);
    pixels.setHeight(std::max(pixels.height(), height));
    if (page.format_ == Format::Svg) {
        Svg = std::make_unique<QSvgGenerator>();
        Svg->setResolution(resolution);
        Svg->setSize(pixels);
        Svg->setViewBox(QRect(QPoint(0, 0), pixels));
        Svg->setTitle(QStringLiteral("Vantrel"));
        if (output)
            Svg->setOutputDevice(output);
        canvas.SetDevice(Svg.get());
        return;
    }
    Image = std::make_unique<QImage>(pixels, QImage::Format_RGB32);
    Image->fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(resolution / 0.0254 + 0.5);
    Image->setDotsPerMeterX(dotsPerMetre);
    Image->setDotsPerMeterY(dotsPerMetre);
    canvas.SetDevice(Image.get());
}

PageFile::PageFile(std::string fileName, Format format)
    : fileName_(std::move(fileName)), format_(format), parts_(std::make_unique<Parts>())
{
}

PageFile::~PageFile() = default;

void PageFile::SetPrinterPage(const QPageLayout& layout, int resolution)
{
    printerPage_ = std::make_unique<QPageLayout>(layout);
    printerResolution_ = resolution;
}

PageFile::Format PageFile::FormatForName(const std::string& fileName)
{
    const QString name = QString::fromStdString(fileName);
    if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return Format::Svg;
    return name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? Format::Png : Format::Pdf;
}

int PageFile::MaxPageHeight() const
{
    constexpr double PdfLimitInches = 200.0;
    if (format_ != Format::Pdf)
        return std::numeric_limits<int>::max();
    return static_cast<int>((PdfLimitInches - 2 * MarginMillimetres / 25.4) * PdfResolution);
}

void PageFile::Attach(PainterCanvas& canvas)
{
    parts_ = std::make_unique<Parts>();
    const QString name = NativeName(fileName_);
    const QFileInfo target(name);
    if (target.exists() && !target.isFile()) {
        parts_->File = std::make_unique<QFile>(name);
    } else {
        auto file = std::make_unique<QSaveFile>(name);
        // A folder that takes no new file gets no half-written page either.
        file->setDirectWriteFallback(false);
        parts_->File = std::move(file);
    }
    errno = 0;
    if (!parts_->File->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (errno != 0)
            throw IoError(IoErrorText(fileName_, errno));
        FailWith(fileName_, *parts_->File);
    }
    parts_->MakeDevice(*this, parts_->File.get(), canvas);
}

void PageFile::AttachProbe(PainterCanvas& canvas)
{
    parts_ = std::make_unique<Parts>();
    parts_->MakeDevice(*this, nullptr, canvas);
}

void PageFile::Finish()
{
    if (!parts_->IsOpen())
        return;
    QFileDevice& file = *parts_->File;
    const auto fail = [&](const std::string& reason) {
        Discard();
        throw IoError("I/O error: " + Cp932ForMessage(fileName_) + ": " + Cp932ForMessage(reason));
    };
    if (parts_->Image && !parts_->Image->save(&file, "PNG"))
        fail("the image could not be written");
    parts_->Pdf.reset();
    parts_->Svg.reset();
    if (!file.flush() || file.error() != QFileDevice::NoError)
        fail(file.errorString().toStdString());
    if (auto* save = dynamic_cast<QSaveFile*>(&file)) {
        if (!save->commit())
            FailWith(fileName_, file);
        return;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        FailWith(fileName_, file);
}

void PageFile::Discard()
{
    if (!parts_->IsOpen())
        return;
    parts_->Pdf.reset();
    parts_->Svg.reset();
    parts_->Image.reset();
    if (auto* save = dynamic_cast<QSaveFile*>(parts_->File.get()))
        save->cancelWriting();
    // An uncommitted save file leaves the target alone as it closes.
    parts_->File.reset();
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
