#include "review/timeline_view.h"

#include "review/review_summary.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace interlock::review {

namespace {
constexpr std::int64_t kShortestSpan = 60;
constexpr std::int64_t kLeastMargin = 60;
constexpr double kMarginShare = 0.02;
constexpr double kZoomStep = 0.8;
constexpr double kPanStep = 0.2;
constexpr double kHoverRadius = 6;
constexpr int kTestMarker = 9;
constexpr int kLaneMarkerWidth = 3;
constexpr int kLaneMarkerHeight = 14;
constexpr int kHighlightSize = 18;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kHour = 3600;

QColor colourOf(TimelineSeries series) {
    switch (series) {
    case TimelineSeries::PassedTests:
        return QColor(0x2E, 0x8B, 0x57);
    case TimelineSeries::FailedTests:
        return QColor(0xD0, 0x10, 0x10);
    case TimelineSeries::Violations:
        return QColor(0xE0, 0x60, 0x00);
    case TimelineSeries::Power:
        return QColor(0x40, 0x60, 0xC0);
    case TimelineSeries::Overrides:
        return QColor(0x90, 0x30, 0xA0);
    case TimelineSeries::Calibrations:
        return QColor(0x00, 0x90, 0xA0);
    case TimelineSeries::Other:
        return QColor(0x70, 0x70, 0x70);
    }
    return Qt::black;
}

// Breath tests are dots, failed ones larger with a dark rim; other events are
// upright marks on their lanes.
QImage markerOf(TimelineSeries series) {
    const bool test =
        series == TimelineSeries::PassedTests || series == TimelineSeries::FailedTests;
    const bool failed = series == TimelineSeries::FailedTests;
    // Markers are drawn square; a lane's mark is an upright bar in the middle.
    const int side = test && failed ? kTestMarker + 4 : test ? kTestMarker : kLaneMarkerHeight;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colourOf(series));
    if (test) {
        painter.setPen(failed ? QPen(Qt::black, 1.5) : Qt::NoPen);
        painter.drawEllipse(QRectF(image.rect()).adjusted(1, 1, -1, -1));
    } else {
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRect((side - kLaneMarkerWidth) / 2, 0, kLaneMarkerWidth, side));
    }
    return image;
}

QString labelFormatFor(std::int64_t span) {
    if (span > 4 * kDay)
        return QStringLiteral("yyyy-MM-dd");
    if (span > 4 * kHour)
        return QStringLiteral("MM-dd hh:mm");
    return QStringLiteral("hh:mm:ss");
}
} // namespace

TimelineView::TimelineView(const ExportLog& log, const Timeline& timeline, QWidget* parent)
    : QChartView(new QChart, parent), log_(log), timeline_(timeline) {
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::HorizontalRubberBand);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("timeline"));
    buildAxes();
    buildSeries();

    const std::int64_t margin = std::max<std::int64_t>(
        kLeastMargin,
        static_cast<std::int64_t>(kMarginShare * static_cast<double>(timeline_.lastSeconds() -
                                                                     timeline_.firstSeconds())));
    wholeFrom_ = timeline_.firstSeconds() - margin;
    wholeTo_ = timeline_.lastSeconds() + margin;
    showWholePeriod();
    // The points follow the time in view, once the view has its size.
    connect(x_, &QDateTimeAxis::rangeChanged, this, &TimelineView::refreshPoints);
}

void TimelineView::buildAxes() {
    x_ = new QDateTimeAxis(this);
    x_->setTickCount(6);
    chart()->addAxis(x_, Qt::AlignBottom);

    // One axis for both: the lanes' names below 0, the reading ticks above.
    y_ = new QCategoryAxis(this);
    y_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    y_->setStartValue(timeline_.bottom());
    for (int lane = kTimelineSeriesCount - 1; lane >= static_cast<int>(TimelineSeries::Violations);
         --lane) {
        const auto series = static_cast<TimelineSeries>(lane);
        y_->append(QString::fromUtf8(seriesCaption(series)), timeline_.laneY(series));
    }
    for (const ReadingTick& tick : timeline_.readingTicks())
        y_->append(QString::fromStdString(tick.label), tick.y);
    y_->setRange(timeline_.bottom(), timeline_.top());
    y_->setTitleText(QString::fromLocal8Bit(log_.readingUnit.c_str()));
    chart()->addAxis(y_, Qt::AlignLeft);
}

void TimelineView::buildSeries() {
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        const auto which = static_cast<TimelineSeries>(i);
        auto* series = new QLineSeries(this);
        series->setName(QString::fromUtf8(seriesCaption(which)));
        // Points only: the pen keeps the colour for the legend but draws no line.
        QPen pen(colourOf(which));
        pen.setStyle(Qt::NoPen);
        series->setPen(pen);
        series->setColor(colourOf(which));
        const QImage marker = markerOf(which);
        series->setLightMarker(marker);
        series->setMarkerSize(marker.height());
        series->setPointsVisible(true);
        chart()->addSeries(series);
        series->attachAxis(x_);
        series->attachAxis(y_);
        series_[static_cast<std::size_t>(i)] = series;
    }
    highlight_ = new QScatterSeries(this);
    highlight_->setName(QStringLiteral("selected"));
    highlight_->setMarkerSize(kHighlightSize);
    highlight_->setBrush(Qt::NoBrush);
    highlight_->setPen(QPen(Qt::black, 2.5));
    chart()->addSeries(highlight_);
    highlight_->attachAxis(x_);
    highlight_->attachAxis(y_);
    for (QLegendMarker* marker : chart()->legend()->markers(highlight_))
        marker->setVisible(false);
}

std::int64_t TimelineView::viewFrom() const {
    return clock_.fromAxis(static_cast<double>(x_->min().toMSecsSinceEpoch()));
}

std::int64_t TimelineView::viewTo() const {
    return clock_.fromAxis(static_cast<double>(x_->max().toMSecsSinceEpoch()));
}

void TimelineView::showRange(std::int64_t from, std::int64_t to) {
    std::int64_t span = std::clamp(to - from, kShortestSpan, wholeTo_ - wholeFrom_);
    from = std::clamp(from, wholeFrom_, wholeTo_ - span);
    const auto at = [this](std::int64_t wall) {
        return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(clock_.toAxis(wall)));
    };
    x_->setFormat(labelFormatFor(span));
    x_->setRange(at(from), at(from + span));
}

void TimelineView::showWholePeriod() {
    showRange(wholeFrom_, wholeTo_);
}

void TimelineView::zoomBy(double factor, std::int64_t around) {
    const std::int64_t from = viewFrom();
    const std::int64_t to = viewTo();
    const auto scaled = [&](std::int64_t t) {
        return around +
               static_cast<std::int64_t>(std::llround(static_cast<double>(t - around) * factor));
    };
    showRange(scaled(from), scaled(to));
}

void TimelineView::panBy(double share) {
    const std::int64_t from = viewFrom();
    const std::int64_t to = viewTo();
    const auto step =
        static_cast<std::int64_t>(std::llround(static_cast<double>(to - from) * share));
    showRange(from + step, to + step);
}

void TimelineView::refreshPoints() {
    // Zooming a band touches the reading axis too; readings always stay in full.
    y_->setRange(timeline_.bottom(), timeline_.top());
    const std::int64_t from = viewFrom();
    const std::int64_t to = viewTo();
    // A marker is wider than three pixels: three make one column of points.
    const int columns = std::max(1, static_cast<int>(chart()->plotArea().width()) / 3);
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        const auto points =
            timeline_.pointsToDraw(static_cast<TimelineSeries>(i), from, to, columns);
        QList<QPointF> shown;
        shown.reserve(static_cast<qsizetype>(points.size()));
        for (const TimelinePoint& point : points)
            shown.append(QPointF(clock_.toAxis(point.seconds), point.y));
        series_[static_cast<std::size_t>(i)]->replace(shown);
    }
}

void TimelineView::highlight(std::optional<std::uint32_t> event) {
    highlighted_ = event;
    if (!event) {
        highlight_->clear();
        return;
    }
    const TimelinePoint& point = timeline_.pointOf(*event);
    const std::int64_t from = viewFrom();
    const std::int64_t to = viewTo();
    if (point.seconds < from || point.seconds > to)
        showRange(point.seconds - (to - from) / 2, point.seconds + (to - from) / 2);
    highlight_->replace(QList<QPointF>{QPointF(clock_.toAxis(point.seconds), point.y)});
}

QPointF TimelineView::valueAt(const QPoint& position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position));
    return chart()->mapToValue(inChart, series_[0]);
}

std::int64_t TimelineView::wallAt(const QPoint& position) const {
    return clock_.fromAxis(valueAt(position).x());
}

std::optional<std::uint32_t> TimelineView::eventAt(const QPoint& position) const {
    const QRectF plot = chart()->plotArea();
    if (!plot.contains(chart()->mapFromScene(mapToScene(position))) || plot.width() <= 0 ||
        plot.height() <= 0)
        return std::nullopt;
    const double secondsPerPixel = static_cast<double>(viewTo() - viewFrom()) / plot.width();
    const double yPerPixel = (timeline_.top() - timeline_.bottom()) / plot.height();
    return timeline_.eventNear(wallAt(position), valueAt(position).y(), secondsPerPixel, yPerPixel,
                               kHoverRadius);
}

QPoint TimelineView::positionOf(std::uint32_t event) const {
    const TimelinePoint& point = timeline_.pointOf(event);
    const QPointF inChart =
        chart()->mapToPosition(QPointF(clock_.toAxis(point.seconds), point.y), series_[0]);
    return mapFromScene(chart()->mapToScene(inChart));
}

QImage TimelineView::wholePeriodPicture(const QSize& size) {
    resize(size);
    showWholePeriod();
    // The first drawing lays the chart out at its size; the points follow it.
    grab();
    refreshPoints();
    return grab().toImage();
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
        QChartView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0)
        return;
    zoomBy(steps > 0 ? kZoomStep : 1 / kZoomStep, wallAt(event->position().toPoint()));
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ControlModifier));
    if (pan) {
        panStart_ = at;
        panFrom_ = viewFrom();
        panTo_ = viewTo();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        zoomBy(1 / kZoomStep / kZoomStep, wallAt(at));
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (const auto clicked = eventAt(at)) {
            emit eventClicked(*clicked);
            event->accept();
            return;
        }
    }
    QChartView::mousePressEvent(event);
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (panStart_) {
        const double plotWidth = std::max(1.0, chart()->plotArea().width());
        const auto shift = static_cast<std::int64_t>(
            std::llround(static_cast<double>(at.x() - panStart_->x()) / plotWidth *
                         static_cast<double>(panTo_ - panFrom_)));
        showRange(panFrom_ - shift, panTo_ - shift);
        event->accept();
        return;
    }
    if (const auto hovered = eventAt(at)) {
        const QString line =
            QString::fromLocal8Bit(eventListLine(log_, log_.events[*hovered]).c_str());
        QToolTip::showText(mapToGlobal(at), line, this);
        emit eventHovered(line);
    } else {
        QToolTip::hideText();
    }
    QChartView::mouseMoveEvent(event);
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event) {
    if (panStart_) {
        panStart_.reset();
        unsetCursor();
        event->accept();
        return;
    }
    // The view's own right-click zooms out both axes; the right button zooms time only.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // Laying out a window resizes the view several times: the points follow once.
    if (!refreshPending_) {
        refreshPending_ = true;
        QTimer::singleShot(0, this, [this] {
            refreshPending_ = false;
            refreshPoints();
        });
    }
}

} // namespace interlock::review
