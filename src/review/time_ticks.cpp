#include "review/time_ticks.h"

#include "link/formatted.h"
#include "review/wall_time.h"

#include <algorithm>
#include <array>

namespace interlock::review {

namespace {
constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
// 2000-01-03, the first Monday after the wall clock's epoch.
constexpr std::int64_t kFirstMonday = 2 * kDay;
constexpr std::int64_t kMonthsPerYear = 12;

enum class LabelForm : std::uint8_t { Seconds, Minutes, Hours, Days, Months, Years };

// A step of whole seconds, counted from `origin`.
struct FixedStep {
    std::int64_t length;
    LabelForm form;
    std::int64_t origin = 0;
};

constexpr std::array kFixedSteps{
    FixedStep{1, LabelForm::Seconds},
    FixedStep{2, LabelForm::Seconds},
    FixedStep{5, LabelForm::Seconds},
    FixedStep{10, LabelForm::Seconds},
    FixedStep{15, LabelForm::Seconds},
    FixedStep{30, LabelForm::Seconds},
    FixedStep{kMinute, LabelForm::Minutes},
    FixedStep{2 * kMinute, LabelForm::Minutes},
    FixedStep{5 * kMinute, LabelForm::Minutes},
    FixedStep{10 * kMinute, LabelForm::Minutes},
    FixedStep{15 * kMinute, LabelForm::Minutes},
    FixedStep{30 * kMinute, LabelForm::Minutes},
    FixedStep{kHour, LabelForm::Hours},
    FixedStep{2 * kHour, LabelForm::Hours},
    FixedStep{3 * kHour, LabelForm::Hours},
    FixedStep{6 * kHour, LabelForm::Hours},
    FixedStep{12 * kHour, LabelForm::Hours},
    FixedStep{kDay, LabelForm::Days},
    FixedStep{2 * kDay, LabelForm::Days},
    FixedStep{7 * kDay, LabelForm::Days, kFirstMonday},
};

constexpr std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

std::string labelOf(std::int64_t seconds, LabelForm form) {
    const LogStamp t = wallStamp(seconds);
    const int year = kStampYearBase + t.year;
    switch (form) {
    case LabelForm::Seconds:
        return formatted("%02d:%02d:%02d", t.hour, t.minute, t.second);
    case LabelForm::Minutes:
        return formatted("%02d:%02d", t.hour, t.minute);
    case LabelForm::Hours:
        return formatted("%02d-%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
    case LabelForm::Days:
        return formatted("%04d-%02d-%02d", year, t.month, t.day);
    case LabelForm::Months:
        return formatted("%04d-%02d", year, t.month);
    case LabelForm::Years:
        return formatted("%04d", year);
    }
    return {};
}

// Months counted from January 2000, and the wall time a month starts at.
std::int64_t monthIndexOf(std::int64_t seconds) {
    const LogStamp t = wallStamp(seconds);
    return t.year * kMonthsPerYear + t.month - 1;
}
std::int64_t monthStart(std::int64_t index) {
    // Months beyond December carry over into the years.
    return wallSeconds({0, static_cast<int>(index + 1), 1, 0, 0, 0});
}

// 1, 3 and 6 months, then 1, 2 and 5 times a power of ten years.
std::int64_t nextMonthStep(std::int64_t months) {
    if (months < kMonthsPerYear)
        return months == 1 ? 3 : months == 3 ? 6 : kMonthsPerYear;
    std::int64_t years = months / kMonthsPerYear;
    std::int64_t power = 1;
    while (years >= 10 * power)
        power *= 10;
    years = years < 2 * power ? 2 * power : years < 5 * power ? 5 * power : 10 * power;
    return years * kMonthsPerYear;
}
} // namespace

std::vector<TimeTick> timeTicks(std::int64_t from, std::int64_t to, int most) {
    std::vector<TimeTick> ticks;
    if (to < from)
        return ticks;
    most = std::max(most, 1);
    for (const FixedStep& step : kFixedSteps) {
        const std::int64_t first = ceilDiv(from - step.origin, step.length);
        const std::int64_t last = floorDiv(to - step.origin, step.length);
        if (last - first + 1 > most)
            continue;
        for (std::int64_t i = first; i <= last; ++i) {
            const std::int64_t at = step.origin + i * step.length;
            ticks.push_back({at, labelOf(at, step.form)});
        }
        return ticks;
    }
    std::int64_t first = monthIndexOf(from);
    if (monthStart(first) < from)
        ++first;
    const std::int64_t last = monthIndexOf(to);
    std::int64_t months = 1;
    while (floorDiv(last, months) - ceilDiv(first, months) + 1 > most)
        months = nextMonthStep(months);
    const LabelForm form = months < kMonthsPerYear ? LabelForm::Months : LabelForm::Years;
    for (std::int64_t i = ceilDiv(first, months) * months; i <= last; i += months)
        ticks.push_back({monthStart(i), labelOf(monthStart(i), form)});
    return ticks;
}

} // namespace interlock::review
