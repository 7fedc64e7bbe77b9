#include "results/TreeView.h"

#include "results/core/ResultTables.h"
#include "results/core/ResultsSession.h"
#include "results/core/TreeZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vantrel {
namespace {

// The line of the cut: a dashed magenta stroke, a hue no cluster colour is
// near (the palette's crimson would hide a red one).
const QColor LineColor(0xcc, 0x00, 0xcc);
// The size the view starts at before it knows its height.
constexpr int FirstFontSize = 10;

} // namespace

TreeView::TreeView(ResultsSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), session_(session), fontSize_(FirstFontSize), fitFontSize_(FirstFontSize)
{
    setObjectName(QStringLiteral("TreeView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::CrossCursor);
    viewport()->setToolTip(QStringLiteral("クリックまたはドラッグで、クラスターに分ける高さを決めます"));
    canvas_.SetDevice(viewport());
    LayOut();
}

void TreeView::TreeChanged() { LayOut(); }

void TreeView::ZoomToFit()
{
    fitFontSize_ = FitFontSize(canvas_, session_.ObjectCount(), viewport()->height());
    fontSize_ = fitFontSize_;
    fitted_ = true;
    LayOut();
    emit ZoomChanged();
}

void TreeView::Zoom(int steps, QPoint anchor)
{
    const int size = ZoomedFontSize(fontSize_, steps);
    if (size == fontSize_)
        return;
    fontSize_ = size;
    fitted_ = false;
    LayOut(anchor);
    emit ZoomChanged();
}

void TreeView::LayOut(QPoint anchor)
{
    const int viewWidth = viewport()->width();
    const int viewHeight = viewport()->height();
    const bool first = layout_.Order.empty();
    const bool atLeft = horizontalScrollBar()->value() == 0;
    // The level and the row at the anchor, to put them there again.
    const long double anchorLevel =
        first ? 0.0L : layout_.LevelAtX(horizontalScrollBar()->value() + anchor.x());
    const long double anchorRow =
        first ? 0.0L : (verticalScrollBar()->value() + anchor.y()) / (layout_.Scale.H * 1.2L) - 2.0L;

    canvas_.SetFontSize(fontSize_);
    LayoutRoom room;
    room.Width = std::max(ZoomedWidth(viewWidth, fontSize_, fitFontSize_), 1);
    room.LabelsInside = true;
    room.WidestNote = std::to_string(session_.ObjectCount());
    room.FillWidth = true;
    layout_ = LayOutDendrogram(canvas_, session_.Data(), session_.Tree(), session_.DistType(),
                               session_.Similarity(), room);

    const int contentWidth = layout_.Right + layout_.Scale.W;
    const int contentHeight = layout_.Bottom + layout_.Scale.H / 2;
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    across->setRange(0, std::max(0, contentWidth - viewWidth));
    across->setPageStep(viewWidth);
    across->setSingleStep(std::max(1, layout_.Scale.W / 5));
    down->setRange(0, std::max(0, contentHeight - viewHeight));
    down->setPageStep(std::max(1, viewHeight - layout_.HeaderBottom()));
    down->setSingleStep(std::max(1, layout_.RowY(1.0L) - layout_.RowY(0.0L)));
    if (!first) {
        across->setValue(atLeft ? 0 : layout_.LevelX(anchorLevel) - anchor.x());
        down->setValue(layout_.RowY(anchorRow) - anchor.y());
    }
    viewport()->update();
}

DendrogramBand TreeView::VisibleBand() const
{
    const int scrolled = verticalScrollBar()->value();
    DendrogramBand band;
    band.Shift = scrolled;
    band.Top = layout_.HeaderBottom() + scrolled;
    band.Bottom = scrolled + viewport()->height() + layout_.Scale.H;
    return band;
}

int TreeView::ViewY(long double position) const
{
    return layout_.RowY(position) - verticalScrollBar()->value();
}

void TreeView::DrawVisible(Canvas& canvas, const std::function<void()>& beforeHeader) const
{
    const DendrogramBand band = VisibleBand();
    DrawDendrogramRows(layout_, session_.Data(), canvas, &session_.Cut().Decor, &band);
    if (beforeHeader)
        beforeHeader();
    DrawDendrogramHeader(layout_, canvas);
}

void TreeView::paintEvent(QPaintEvent*)
{
    canvas_.SetFontSize(fontSize_);
    canvas_.BeginDoc();
    QPainter& painter = canvas_.Painter();
    const QRect view = viewport()->rect();
    painter.fillRect(view, Qt::white);
    painter.translate(-horizontalScrollBar()->value(), 0);
    // The header covers the rows that scrolled beneath it.
    DrawVisible(canvas_, [&] {
        painter.fillRect(QRect(horizontalScrollBar()->value(), 0, view.width(), layout_.HeaderBottom()),
                         Qt::white);
    });

    const int x = layout_.LevelX(session_.LineLevel());
    QPen pen(LineColor);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(2);
    painter.setPen(pen);
    painter.drawLine(x, layout_.RowY(1.25L), x, view.height());
    // The line's level at its foot, on white, clear of the axis texts.
    const QString level = QString::fromStdString(ShortLevelText(session_.LineLevel()));
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect box(x + 4, view.height() - metrics.height() - 4, metrics.horizontalAdvance(level) + 4,
                    metrics.height());
    painter.fillRect(box, Qt::white);
    painter.drawText(box, Qt::AlignCenter, level);
    canvas_.EndDoc();
}

void TreeView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (fitted_)
        ZoomToFit();
    else
        LayOut();
}

void TreeView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        Zoom(steps, event->position().toPoint());
    event->accept();
}

void TreeView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIn();
        return;
    case Qt::Key_Minus:
        ZoomOut();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void TreeView::PlaceLineAt(int viewX)
{
    emit LinePlaced(layout_.LevelAtX(viewX + horizontalScrollBar()->value()));
}

void TreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    PlaceLineAt(event->position().toPoint().x());
}

void TreeView::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        PlaceLineAt(event->position().toPoint().x());
}

void TreeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    emit LineReleased();
}

void TreeView::scrollContentsBy(int, int) { viewport()->update(); }

} // namespace vantrel
