#include "review/event_table_model.h"

#include "review/review_summary.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace interlock::review {

EventTableModel::EventTableModel(const ExportLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log) {}

void EventTableModel::setShown(std::vector<std::uint32_t> events) {
    beginResetModel();
    shown_ = std::move(events);
    endResetModel();
}

std::optional<int> EventTableModel::rowOf(std::uint32_t event) const {
    const auto found = std::lower_bound(shown_.begin(), shown_.end(), event);
    if (found == shown_.end() || *found != event)
        return std::nullopt;
    return static_cast<int>(found - shown_.begin());
}

int EventTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int EventTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ReviewEvent& event = log_.events[eventAt(index.row())];
    if (role == Qt::ForegroundRole)
        return isViolation(event.kind) ? QVariant(QBrush(QColor(0xB0, 0x00, 0x00))) : QVariant();
    if (role == Qt::TextAlignmentRole && index.column() == Number)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Number:
        return static_cast<uint>(event.number);
    case Time:
        return QString::fromStdString(
            stampText(event.time, log_.format != RecordFormat::NoSeconds));
    case Kind:
        return QString::fromUtf8(kindName(event.kind));
    case Event:
        return QString::fromLocal8Bit(log_.shownText(event).c_str());
    default:
        return {};
    }
}

QVariant EventTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number:
        return QStringLiteral("No.");
    case Time:
        return QStringLiteral("Time");
    case Kind:
        return QStringLiteral("Kind");
    case Event:
        return QStringLiteral("Event");
    default:
        return {};
    }
}

} // namespace interlock::review
