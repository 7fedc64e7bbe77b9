#pragma once

#include "platform/gui/PainterCanvas.h"
#include "print/DendrogramLayout.h"

#include <QAbstractScrollArea>

#include <functional>

namespace vantrel {

class ResultsSession;

// The whole tree on screen, drawn by the page's own layout and drawing
// code on a canvas over the view: the caption and the level axis stay at
// the top while the rows scroll beneath them, labels and branches in the
// cut's colours with each leaf's cluster number, and the cut's line across
// the tree. The zoom is the drawing's font size (TreeZoom.h): Ctrl + wheel,
// + and −, and fit. A click or a drag places the line.
class TreeView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TreeView(ResultsSession& session, QWidget* parent = nullptr);

    // Lays the tree out again after the method changed.
    void TreeChanged();
    // Redraws after the cut or its line changed.
    void CutChanged() { viewport()->update(); }

    void ZoomIn() { Zoom(1); }
    void ZoomOut() { Zoom(-1); }
    // The largest size at which the whole tree fits the view, not below a
    // readable one; the axis fits the view's width.
    void ZoomToFit();
    int FontSize() const { return fontSize_; }
    const DendrogramLayout& Layout() const { return layout_; }

    // Draws what the view shows now on `canvas` (inside its job, the font
    // set), as the view paints it: the rows under the header scrolled to the
    // vertical scroll bar, then the header. Tests record it.
    // `beforeHeader` runs between the two (the view clears the header's
    // place there).
    void DrawVisible(Canvas& canvas, const std::function<void()>& beforeHeader = {}) const;
    // The y, in the view, of a row position, as the rows scroll.
    int ViewY(long double position) const;

signals:
    // The user put the line at a level: a click, or a drag under way.
    void LinePlaced(long double level);
    // The drag ended.
    void LineReleased();
    void ZoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Zooms by `steps`, keeping what stands at `anchor` (in the view) there.
    void Zoom(int steps, QPoint anchor);
    void Zoom(int steps) { Zoom(steps, viewport()->rect().center()); }
    // Lays out at fontSize_, keeping what stands at `anchor` where it was;
    // a view scrolled to its left edge stays there, labels in sight.
    void LayOut(QPoint anchor);
    void LayOut() { LayOut(viewport()->rect().center()); }
    void PlaceLineAt(int viewX);
    DendrogramBand VisibleBand() const;

    ResultsSession& session_;
    mutable PainterCanvas canvas_;
    DendrogramLayout layout_;
    int fontSize_ = 0;
    int fitFontSize_ = 0;
    // True while the zoom is the fit, which a resize then keeps.
    bool fitted_ = true;
    bool dragging_ = false;
};

} // namespace vantrel
