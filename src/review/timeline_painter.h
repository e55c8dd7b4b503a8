#pragma once

#include "review/export_log.h"
#include "review/time_ticks.h"
#include "review/timeline.h"
#include "review/timeline_plot.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace interlock::review {

// Draws the timeline chart on any paint device: the readings axis and the lanes'
// names on the left, the time axis below, grid lines, the points of every series
// (breath tests as dots, failed ones larger with a dark rim; other events as
// upright marks on their lanes), a ring round the selected event and the legend.
class TimelinePainter {
  public:
    TimelinePainter(const ExportLog& log, const Timeline& timeline);

    // Where the plot lies in a chart of `size` drawn in a font of `metrics`.
    PlotRect plotArea(const QSize& size, const QFontMetricsF& metrics) const;
    // Draws the chart over the whole of `size`; `plot` must lie at plotArea.
    void paint(QPainter& painter, const QSize& size, const TimelinePlot& plot,
               std::optional<std::uint32_t> selected);

  private:
    void paintGrid(QPainter& painter, const TimelinePlot& plot,
                   const std::vector<TimeTick>& ticks) const;
    void paintAxes(QPainter& painter, const TimelinePlot& plot,
                   const std::vector<TimeTick>& ticks) const;
    void paintPoints(QPainter& painter, const TimelinePlot& plot,
                     std::optional<std::uint32_t> selected);
    void paintLegend(QPainter& painter, const QSize& size) const;
    // The axis on the left: each reading tick and lane name with its height.
    std::vector<std::pair<double, QString>> valueLabels() const;

    const Timeline& timeline_;
    QString unit_;
    std::array<QImage, kTimelineSeriesCount> markers_;
    qreal markerRatio_ = 0;
};

QRectF rectOf(const PlotRect& area);

// The chart of the whole period at `size`, on white, as the report shows it.
QImage timelinePicture(const ExportLog& log, const Timeline& timeline, const QSize& size);

} // namespace interlock::review
