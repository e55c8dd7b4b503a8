#include "review/timeline_painter.h"

#include "review/timeline_range.h"

#include <algorithm>
#include <cmath>

namespace interlock::review {

namespace {
constexpr qreal kMargin = 8;
constexpr qreal kLabelGap = 6;
constexpr qreal kLegendGap = 10;
constexpr qreal kLegendSwatch = 10;
constexpr qreal kLegendSpacing = 16;
constexpr int kTestMarker = 9;
constexpr int kLaneMarkerWidth = 3;
constexpr int kLaneMarkerHeight = 14;
constexpr qreal kRingRadius = 9;
constexpr qreal kRingPen = 2.5;
const QColor kBackground(Qt::white);
const QColor kGrid(0xE4, 0xE4, 0xE4);
const QColor kFrame(0xB0, 0xB0, 0xB0);
const QColor kText(0x30, 0x30, 0x30);
// The widest time label, and the room it wants between its neighbours.
const QString kWidestTimeLabel = QStringLiteral("00-00 00:00");

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
// upright marks. Drawn once for the device's pixel ratio, then copied per point.
QImage markerOf(TimelineSeries series, qreal ratio) {
    const bool test =
        series == TimelineSeries::PassedTests || series == TimelineSeries::FailedTests;
    const bool failed = series == TimelineSeries::FailedTests;
    const int side = failed ? kTestMarker + 4 : test ? kTestMarker : kLaneMarkerHeight;
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colourOf(series));
    if (test) {
        painter.setPen(failed ? QPen(Qt::black, 1.5) : Qt::NoPen);
        painter.drawEllipse(QRectF(0, 0, side, side).adjusted(1, 1, -1, -1));
    } else {
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRect((side - kLaneMarkerWidth) / 2, 0, kLaneMarkerWidth, side));
    }
    return image;
}

QFontMetricsF metricsOf(const QPainter& painter) {
    return QFontMetricsF(painter.font(), painter.device());
}

int mostTimeTicks(qreal plotWidth, const QFontMetricsF& metrics) {
    const qreal slot = metrics.horizontalAdvance(kWidestTimeLabel) + 2 * metrics.height();
    return static_cast<int>(plotWidth / slot);
}
} // namespace

QRectF rectOf(const PlotRect& area) {
    return {area.left, area.top, area.width, area.height};
}

TimelinePainter::TimelinePainter(const ExportLog& log, const Timeline& timeline)
    : timeline_(timeline), unit_(QString::fromLocal8Bit(log.readingUnit.c_str())) {}

std::vector<std::pair<double, QString>> TimelinePainter::valueLabels() const {
    std::vector<std::pair<double, QString>> labels;
    for (const ReadingTick& tick : timeline_.readingTicks())
        labels.emplace_back(tick.y, QString::fromStdString(tick.label));
    for (int lane = static_cast<int>(TimelineSeries::Violations); lane < kTimelineSeriesCount;
         ++lane) {
        const auto series = static_cast<TimelineSeries>(lane);
        labels.emplace_back(timeline_.laneY(series), QString::fromUtf8(seriesCaption(series)));
    }
    return labels;
}

PlotRect TimelinePainter::plotArea(const QSize& size, const QFontMetricsF& metrics) const {
    qreal widestValue = 0;
    for (const auto& [value, label] : valueLabels())
        widestValue = std::max(widestValue, metrics.horizontalAdvance(label));
    const qreal line = metrics.height();
    const qreal left = kMargin + line + kLabelGap + widestValue + kLabelGap;
    const qreal top = kMargin + line / 2;
    const qreal right = kMargin + metrics.horizontalAdvance(kWidestTimeLabel) / 2;
    const qreal bottom = kLabelGap + line + kLegendGap + line + kMargin;
    return {left, top, std::max<qreal>(0, size.width() - left - right),
            std::max<qreal>(0, size.height() - top - bottom)};
}

void TimelinePainter::paint(QPainter& painter, const QSize& size, const TimelinePlot& plot,
                            std::optional<std::uint32_t> selected) {
    painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
    const std::vector<TimeTick> ticks =
        timeTicks(plot.from(), plot.to(), mostTimeTicks(plot.area().width, metricsOf(painter)));
    paintGrid(painter, plot, ticks);
    paintAxes(painter, plot, ticks);
    paintPoints(painter, plot, selected);
    paintLegend(painter, size);
}

void TimelinePainter::paintGrid(QPainter& painter, const TimelinePlot& plot,
                                const std::vector<TimeTick>& ticks) const {
    const PlotRect& area = plot.area();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kGrid);
    for (const auto& [value, label] : valueLabels())
        painter.drawLine(QLineF(area.left, plot.yOf(value), area.right(), plot.yOf(value)));
    for (const TimeTick& tick : ticks) {
        const double x = plot.xOf(static_cast<double>(tick.seconds));
        painter.drawLine(QLineF(x, area.top, x, area.bottom()));
    }
    painter.setPen(kFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectOf(area));
    painter.restore();
}

void TimelinePainter::paintAxes(QPainter& painter, const TimelinePlot& plot,
                                const std::vector<TimeTick>& ticks) const {
    const PlotRect& area = plot.area();
    const QFontMetricsF metrics = metricsOf(painter);
    const qreal line = metrics.height();
    painter.save();
    painter.setPen(kText);
    for (const auto& [value, label] : valueLabels()) {
        const QRectF box(0, plot.yOf(value) - line / 2, area.left - kLabelGap, line);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
    }
    for (const TimeTick& tick : ticks) {
        const QString label = QString::fromStdString(tick.label);
        const qreal width = metrics.horizontalAdvance(label) + 2;
        const double x = plot.xOf(static_cast<double>(tick.seconds));
        painter.drawText(QRectF(x - width / 2, area.bottom() + kLabelGap, width, line),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    // The unit, upright along the axis.
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.translate(kMargin, area.top + area.height / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height / 2, 0, area.height, line), Qt::AlignCenter, unit_);
    painter.restore();
}

void TimelinePainter::paintPoints(QPainter& painter, const TimelinePlot& plot,
                                  std::optional<std::uint32_t> selected) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (ratio != markerRatio_) {
        for (int i = 0; i < kTimelineSeriesCount; ++i)
            markers_[static_cast<std::size_t>(i)] = markerOf(static_cast<TimelineSeries>(i), ratio);
        markerRatio_ = ratio;
    }
    painter.save();
    painter.setClipRect(rectOf(plot.area()));
    // A marker is wider than three pixels: three make one column of points.
    constexpr double kColumnWidth = 3;
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        const QImage& marker = markers_[static_cast<std::size_t>(i)];
        const QSizeF half = marker.deviceIndependentSize() / 2;
        for (const TimelinePoint& point :
             plot.pointsToDraw(static_cast<TimelineSeries>(i), kColumnWidth)) {
            const double x = plot.xOf(static_cast<double>(point.seconds));
            const double y = plot.yOf(point.y);
            painter.drawImage(QPointF(std::round(x - half.width()), std::round(y - half.height())),
                              marker);
        }
    }
    if (selected) {
        const TimelinePoint& point = timeline_.pointOf(*selected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, kRingPen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(
            QPointF(plot.xOf(static_cast<double>(point.seconds)), plot.yOf(point.y)), kRingRadius,
            kRingRadius);
    }
    painter.restore();
}

void TimelinePainter::paintLegend(QPainter& painter, const QSize& size) const {
    const QFontMetricsF metrics = metricsOf(painter);
    const qreal line = metrics.height();
    qreal width = 0;
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        width += (i == 0 ? 0 : kLegendSpacing) + kLegendSwatch + kLabelGap / 2 +
                 metrics.horizontalAdvance(
                     QString::fromUtf8(seriesCaption(static_cast<TimelineSeries>(i))));
    }
    qreal x = (size.width() - width) / 2;
    const qreal y = size.height() - kMargin - line;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kTimelineSeriesCount; ++i) {
        const auto series = static_cast<TimelineSeries>(i);
        const QString caption = QString::fromUtf8(seriesCaption(series));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colourOf(series));
        painter.drawRoundedRect(
            QRectF(x, y + (line - kLegendSwatch) / 2, kLegendSwatch, kLegendSwatch), 2, 2);
        x += kLegendSwatch + kLabelGap / 2;
        painter.setPen(kText);
        painter.drawText(QRectF(x, y, metrics.horizontalAdvance(caption) + 1, line),
                         Qt::AlignLeft | Qt::AlignVCenter, caption);
        x += metrics.horizontalAdvance(caption) + kLegendSpacing;
    }
    painter.restore();
}

QImage timelinePicture(const ExportLog& log, const Timeline& timeline, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    TimelinePainter chart(log, timeline);
    TimelineRange whole(timeline.firstSeconds(), timeline.lastSeconds());
    {
        QPainter painter(&image);
        const TimelinePlot plot(timeline, chart.plotArea(size, metricsOf(painter)), whole.from(),
                                whole.to());
        chart.paint(painter, size, plot, std::nullopt);
    }
    return image;
}

} // namespace interlock::review
