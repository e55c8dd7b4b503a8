#include "review/axis_clock.h"

#include "review/wall_time.h"

#include <QDateTime>

#include <cmath>

namespace interlock::review {

namespace {
constexpr double kMsecsPerSecond = 1000.0;
} // namespace

std::int64_t AxisClock::zoneOffsetAt(std::int64_t since1970) {
    const QDateTime asUtc = QDateTime::fromSecsSinceEpoch(since1970, Qt::UTC);
    const QDateTime asLocal(asUtc.date(), asUtc.time(), Qt::LocalTime);
    return asLocal.toSecsSinceEpoch() - asUtc.toSecsSinceEpoch();
}

std::int64_t AxisClock::offsetAt(std::int64_t since1970) {
    for (std::size_t level = 0; level < kSpans.size(); ++level) {
        const std::int64_t length = kSpans[level];
        const std::int64_t span = floorDiv(since1970, length);
        auto known = spans_[level].find(span);
        if (known == spans_[level].end()) {
            const std::int64_t start = zoneOffsetAt(span * length);
            const bool even =
                level + 1 == kSpans.size() || start == zoneOffsetAt((span + 1) * length - 1);
            known = spans_[level].emplace(span, Span{start, even}).first;
        }
        if (known->second.even)
            return known->second.offset;
    }
    return 0; // not reached: an hour is always even
}

double AxisClock::toAxis(std::int64_t wallSeconds) {
    const std::int64_t since1970 = wallSeconds + kWallEpochAfter1970;
    return static_cast<double>(since1970 + offsetAt(since1970)) * kMsecsPerSecond;
}

std::int64_t AxisClock::fromAxis(double msecs) const {
    const auto axisMsecs = static_cast<qint64>(std::floor(msecs));
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(axisMsecs);
    const auto since1970 = static_cast<std::int64_t>(std::floor(msecs / kMsecsPerSecond));
    return since1970 + local.offsetFromUtc() - kWallEpochAfter1970;
}

} // namespace interlock::review
