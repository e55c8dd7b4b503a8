#pragma once

#include "review/export_log.h"
#include "review/timeline.h"
#include "review/timeline_painter.h"
#include "review/timeline_plot.h"
#include "review/timeline_range.h"

#include <QWidget>

#include <cstdint>
#include <optional>

namespace interlock::review {

// The timeline chart of the review window: breath test readings over time with
// failed tests marked, the other events as marks on lanes below. Time zooms and
// pans, the readings stay: wheel, +/- keys, a dragged band or the right button zoom;
// Ctrl or middle button drags, arrow keys pan; Home shows the whole period.
// Hovering a point shows its event; clicking it selects it. The accessible
// description counts the events in view.
class TimelineView : public QWidget {
    Q_OBJECT
  public:
    TimelineView(const ExportLog& log, const Timeline& timeline, QWidget* parent = nullptr);

    // The time in view, wall seconds.
    std::int64_t viewFrom() const { return range_.from(); }
    std::int64_t viewTo() const { return range_.to(); }
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
    // Where the points are drawn.
    QRectF plotArea() const;

    QSize sizeHint() const override;

  signals:
    void eventClicked(std::uint32_t event);
    void eventHovered(const QString& line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    // The plot at the view's size and time in view.
    TimelinePlot plot() const;
    std::int64_t secondsAt(const QPoint& position) const;
    void rangeChanged();
    void hover(const QPoint& position);

    const ExportLog& log_;
    const Timeline& timeline_;
    TimelinePainter painter_;
    TimelineRange range_;
    std::optional<std::uint32_t> highlighted_;
    std::optional<std::uint32_t> hovered_;
    // A drag with the middle button or Ctrl pans from the time in view at its start;
    // one with the left button from an empty place marks a band to zoom into.
    enum class Drag : std::uint8_t { None, Pan, Band };
    Drag drag_ = Drag::None;
    QPoint dragStart_;
    int bandEnd_ = 0;
    TimelineRange panStart_;
};

} // namespace interlock::review
