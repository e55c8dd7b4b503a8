#include "review/timeline_view.h"

#include "review/review_summary.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace interlock::review {

namespace {
constexpr double kZoomStep = 0.8;
constexpr double kPanStep = 0.2;
constexpr double kHoverRadius = 6;
// A band narrower than this is a click, not a zoom.
constexpr int kLeastBand = 4;
const QSize kPreferredSize(800, 360);
const QColor kBand(0x40, 0x80, 0xE0, 0x40);
const QColor kBandEdge(0x40, 0x80, 0xE0);
} // namespace

TimelineView::TimelineView(const ExportLog& log, const Timeline& timeline, QWidget* parent)
    : QWidget(parent), log_(log), timeline_(timeline), painter_(log, timeline),
      range_(timeline.firstSeconds(), timeline.lastSeconds()), panStart_(range_) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("timeline"));
    rangeChanged();
}

QSize TimelineView::sizeHint() const {
    return kPreferredSize;
}

TimelinePlot TimelineView::plot() const {
    return TimelinePlot(timeline_, painter_.plotArea(size(), QFontMetricsF(font(), this)),
                        range_.from(), range_.to());
}

QRectF TimelineView::plotArea() const {
    return rectOf(plot().area());
}

void TimelineView::rangeChanged() {
    setAccessibleDescription(QString::fromStdString(plot().description()));
    update();
}

void TimelineView::showRange(std::int64_t from, std::int64_t to) {
    range_.show(from, to);
    rangeChanged();
}

void TimelineView::showWholePeriod() {
    range_.showWhole();
    rangeChanged();
}

void TimelineView::zoomBy(double factor, std::int64_t around) {
    range_.zoomBy(factor, around);
    rangeChanged();
}

void TimelineView::panBy(double share) {
    range_.panBy(share);
    rangeChanged();
}

void TimelineView::highlight(std::optional<std::uint32_t> event) {
    highlighted_ = event;
    if (event)
        range_.reveal(timeline_.pointOf(*event).seconds);
    rangeChanged();
}

std::int64_t TimelineView::secondsAt(const QPoint& position) const {
    return static_cast<std::int64_t>(std::llround(plot().secondsAt(position.x())));
}

std::optional<std::uint32_t> TimelineView::eventAt(const QPoint& position) const {
    return plot().eventAt(position.x(), position.y(), kHoverRadius);
}

QPoint TimelineView::positionOf(std::uint32_t event) const {
    const TimelinePlot shown = plot();
    const TimelinePoint& point = timeline_.pointOf(event);
    return QPointF(shown.xOf(static_cast<double>(point.seconds)), shown.yOf(point.y)).toPoint();
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter_.paint(painter, size(), plot(), highlighted_);
    if (drag_ == Drag::Band) {
        const QRectF area = plotArea();
        const int left = std::min(dragStart_.x(), bandEnd_);
        const int right = std::max(dragStart_.x(), bandEnd_);
        painter.setPen(kBandEdge);
        painter.setBrush(kBand);
        painter.drawRect(QRectF(left, area.top(), right - left, area.height()));
    }
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
    const std::int64_t middle = (viewFrom() + viewTo()) / 2;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomStep, middle);
        break;
    case Qt::Key_Minus:
        zoomBy(1 / kZoomStep, middle);
        break;
    case Qt::Key_Left:
        panBy(-kPanStep);
        break;
    case Qt::Key_Right:
        panBy(kPanStep);
        break;
    case Qt::Key_Home:
        showWholePeriod();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0)
        return;
    zoomBy(steps > 0 ? kZoomStep : 1 / kZoomStep, secondsAt(event->position().toPoint()));
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ControlModifier));
    if (pan) {
        drag_ = Drag::Pan;
        dragStart_ = at;
        panStart_ = range_;
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::RightButton) {
        zoomBy(1 / kZoomStep / kZoomStep, secondsAt(at));
    } else if (event->button() == Qt::LeftButton) {
        if (const auto clicked = eventAt(at)) {
            emit eventClicked(*clicked);
        } else if (plotArea().contains(at)) {
            drag_ = Drag::Band;
            dragStart_ = at;
            bandEnd_ = at.x();
        }
    } else {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    switch (drag_) {
    case Drag::Pan: {
        const auto shift =
            static_cast<std::int64_t>(std::llround(plot().secondsAcross(at.x() - dragStart_.x())));
        showRange(panStart_.from() - shift, panStart_.to() - shift);
        break;
    }
    case Drag::Band: {
        const QRectF area = plotArea();
        bandEnd_ =
            std::clamp(at.x(), static_cast<int>(area.left()), static_cast<int>(area.right()));
        update();
        break;
    }
    case Drag::None:
        hover(at);
        break;
    }
    event->accept();
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event) {
    const Drag ended = drag_;
    drag_ = Drag::None;
    if (ended == Drag::Pan)
        unsetCursor();
    if (ended == Drag::Band) {
        if (std::abs(bandEnd_ - dragStart_.x()) >= kLeastBand) {
            const std::int64_t from = secondsAt({std::min(dragStart_.x(), bandEnd_), 0});
            const std::int64_t to = secondsAt({std::max(dragStart_.x(), bandEnd_), 0});
            showRange(from, to);
        }
        update();
    }
    event->accept();
}

void TimelineView::leaveEvent(QEvent* event) {
    hovered_.reset();
    QWidget::leaveEvent(event);
}

void TimelineView::hover(const QPoint& position) {
    const auto hovered = eventAt(position);
    if (!hovered) {
        hovered_.reset();
        QToolTip::hideText();
        return;
    }
    const QString line = QString::fromLocal8Bit(eventListLine(log_, log_.events[*hovered]).c_str());
    QToolTip::showText(mapToGlobal(position), line, this);
    if (hovered != hovered_) {
        hovered_ = hovered;
        emit eventHovered(line);
    }
}

} // namespace interlock::review
