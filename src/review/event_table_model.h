#pragma once

#include "review/export_log.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>
#include <vector>

namespace interlock::review {

// The event list: one row per event shown (number, time, kind, event text), in
// the log's order. Only the rows on screen are ever turned into text.
class EventTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Number, Time, Kind, Event, ColumnCount };

    explicit EventTableModel(const ExportLog& log, QObject* parent = nullptr);

    // The events to show, as indices into the log's events in ascending order.
    void setShown(std::vector<std::uint32_t> events);
    std::uint32_t eventAt(int row) const { return shown_[static_cast<std::size_t>(row)]; }
    // The row of an event; nothing when it is not shown.
    std::optional<int> rowOf(std::uint32_t event) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const ExportLog& log_;
    std::vector<std::uint32_t> shown_;
};

} // namespace interlock::review
