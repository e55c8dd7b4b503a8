#pragma once

#include "review/axis_clock.h"
#include "review/export_log.h"
#include "review/timeline.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>

#include <array>
#include <optional>

namespace interlock::review {

// The timeline chart: breath test readings over time with failed tests marked, the
// other events as marks on lanes below. Time zooms and pans, the readings stay:
// wheel, +/- keys, a dragged band or the right button zoom; Ctrl or middle button
// drags, arrow keys pan; Home shows the whole period. Hovering a point shows its
// event; clicking it selects it.
class TimelineView : public QChartView {
    Q_OBJECT
  public:
    TimelineView(const ExportLog& log, const Timeline& timeline, QWidget* parent = nullptr);

    QXYSeries* series(TimelineSeries which) const {
        return series_[static_cast<std::size_t>(which)];
    }
    QScatterSeries* highlightSeries() const { return highlight_; }

    // The time in view, wall seconds.
    std::int64_t viewFrom() const;
    std::int64_t viewTo() const;
    void showRange(std::int64_t from, std::int64_t to);
    void showWholePeriod();
    // Narrows (factor below 1) or widens the time in view, keeping `around` in place.
    void zoomBy(double factor, std::int64_t around);
    // Moves the time in view by a share of its width.
    void panBy(double share);

    // Marks an event's point and brings it into view; nothing clears the mark.
    void highlight(std::optional<std::uint32_t> event);
    std::optional<std::uint32_t> highlighted() const { return highlighted_; }
    // The event whose point lies under a position of the view, if any.
    std::optional<std::uint32_t> eventAt(const QPoint& position) const;
    // Where an event's point is in the view.
    QPoint positionOf(std::uint32_t event) const;
    // The chart of the whole period drawn at `size`, for a view that is not shown.
    QImage wholePeriodPicture(const QSize& size);

  signals:
    void eventClicked(std::uint32_t event);
    void eventHovered(const QString& line);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildAxes();
    void buildSeries();
    // Puts the points of the time in view into the series.
    void refreshPoints();
    std::int64_t wallAt(const QPoint& position) const;
    QPointF valueAt(const QPoint& position) const;

    const ExportLog& log_;
    const Timeline& timeline_;
    mutable AxisClock clock_;
    QDateTimeAxis* x_ = nullptr;
    QCategoryAxis* y_ = nullptr;
    std::array<QLineSeries*, kTimelineSeriesCount> series_{};
    QScatterSeries* highlight_ = nullptr;
    std::optional<std::uint32_t> highlighted_;
    bool refreshPending_ = false;
    std::int64_t wholeFrom_ = 0;
    std::int64_t wholeTo_ = 0;
    // A drag that pans: where it started and the time then in view.
    std::optional<QPoint> panStart_;
    std::int64_t panFrom_ = 0;
    std::int64_t panTo_ = 0;
};

} // namespace interlock::review
