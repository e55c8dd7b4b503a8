#include "review/axis_clock.h"

#include "review/wall_time.h"

#include <QDateTime>

#include <cmath>

namespace interlock::review {

namespace {
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr double kMsecsPerSecond = 1000.0;
} // namespace

double AxisClock::toAxis(std::int64_t wallSeconds) {
    const std::int64_t since1970 = wallSeconds + kWallEpochAfter1970;
    const std::int64_t hour =
        since1970 / kSecondsPerHour - (since1970 % kSecondsPerHour < 0 ? 1 : 0);
    auto known = utcMinusLocalByHour_.find(hour);
    if (known == utcMinusLocalByHour_.end()) {
        const QDateTime asUtc = QDateTime::fromSecsSinceEpoch(hour * kSecondsPerHour, Qt::UTC);
        const QDateTime asLocal(asUtc.date(), asUtc.time(), Qt::LocalTime);
        known = utcMinusLocalByHour_
                    .emplace(hour, asLocal.toSecsSinceEpoch() - asUtc.toSecsSinceEpoch())
                    .first;
    }
    return static_cast<double>(since1970 + known->second) * kMsecsPerSecond;
}

std::int64_t AxisClock::fromAxis(double msecs) const {
    const auto axisMsecs = static_cast<qint64>(std::floor(msecs));
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(axisMsecs);
    const std::int64_t since1970 = static_cast<std::int64_t>(std::floor(msecs / kMsecsPerSecond));
    return since1970 + local.offsetFromUtc() - kWallEpochAfter1970;
}

} // namespace interlock::review
