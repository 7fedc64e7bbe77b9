#include "platform/gui/PainterCanvas.h"

#include "common/Errors.h"
#include "platform/gui/JapaneseFonts.h"
#include "platform/gui/QtText.h"

#include <QColor>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPaintDevice>

namespace vantrel {
namespace {

} // namespace

PainterCanvas::PainterCanvas() : font_(FontWithPointSize(FixedGothicFace(), 10)) { }

PainterCanvas::~PainterCanvas()
{
    if (painter_.isActive())
        painter_.end();
}

void PainterCanvas::SetDevice(QPaintDevice* device, QPagedPaintDevice* paged)
{
    device_ = device;
    paged_ = paged;
}

void PainterCanvas::BeginDoc()
{
    if (!device_)
        throw Error("No printer is available for printing.");
    if (painter_.isActive())
        painter_.end();
    if (!painter_.begin(device_))
        throw Error("The print job could not be started.");
    painter_.setFont(font_);
    // A hairline of about 0.15 mm whatever the resolution.
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, device_->logicalDpiX() / 170));
    painter_.setPen(pen);
    position_ = QPoint();
}

void PainterCanvas::EndDoc()
{
    if (painter_.isActive())
        painter_.end();
}

void PainterCanvas::NewPage()
{
    if (paged_ && painter_.isActive())
        paged_->newPage();
    position_ = QPoint();
}

int PainterCanvas::PageWidth() const { return device_ ? device_->width() : 0; }
int PainterCanvas::PageHeight() const { return device_ ? device_->height() : 0; }

void PainterCanvas::SetFontName(const std::string& face)
{
    font_.setFamily(InstalledFaceFor(QString::fromStdString(face)));
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PainterCanvas::SetFontSize(int points)
{
    font_.setPointSize(std::max(1, points));
    if (painter_.isActive())
        painter_.setFont(font_);
}

int PainterCanvas::TextWidth(const std::string& text)
{
    const QFontMetrics metrics = device_ ? QFontMetrics(font_, device_) : QFontMetrics(font_);
    return metrics.horizontalAdvance(QStringFromCp932(text));
}

int PainterCanvas::TextHeight(const std::string&)
{
    // The full line height of the font, as the page design measures text.
    const QFontMetrics metrics = device_ ? QFontMetrics(font_, device_) : QFontMetrics(font_);
    return metrics.height();
}

void PainterCanvas::SetColor(std::uint32_t rgb)
{
    if (!painter_.isActive())
        return;
    QPen pen = painter_.pen();
    pen.setColor(QColor::fromRgb(static_cast<QRgb>(rgb)));
    painter_.setPen(pen);
}

void PainterCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void PainterCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    if (painter_.isActive())
        painter_.drawLine(position_, to);
    position_ = to;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text)
{
    if (!painter_.isActive())
        return;
    const QFontMetrics metrics(font_, device_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), QStringFromCp932(text));
}

} // namespace vantrel
