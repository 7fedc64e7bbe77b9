#pragma once

#include "platform/core/Canvas.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPoint>

class QPaintDevice;
class QPagedPaintDevice;

namespace vantrel {

// A canvas drawing with QPainter on whatever device the current job uses: a
// printer, a PDF writer or an image. The font and the pen belong to the
// canvas and persist from job to job; the device is handed over per job.
// Face names are Windows names, mapped to installed faces (JapaneseFonts.h).
class PainterCanvas : public Canvas {
public:
    PainterCanvas();
    ~PainterCanvas() override;

    // The device of the next job (`paged` is the same device when it can
    // start new pages, else null). Not owned.
    void SetDevice(QPaintDevice* device, QPagedPaintDevice* paged = nullptr);
    QPaintDevice* Device() const { return device_; }

    // Opens the painter on the device; throws Error when it cannot start.
    void BeginDoc() override;
    // Closes the painter, which finishes the device's output.
    void EndDoc() override;
    void NewPage() override;
    bool Active() const { return painter_.isActive(); }
    // The painter of the job in progress, for a widget that scrolls or
    // fills around what the shared drawing code draws.
    QPainter& Painter() { return painter_; }

    int PageWidth() const override;
    int PageHeight() const override;

    void SetFontName(const std::string& face) override;
    void SetFontSize(int points) override;
    const QFont& Font() const { return font_; }

    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;

    void SetColor(std::uint32_t rgb) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;

private:
    QPaintDevice* device_ = nullptr;
    QPagedPaintDevice* paged_ = nullptr;
    QPainter painter_;
    QFont font_;
    QPoint position_;
};

} // namespace vantrel
