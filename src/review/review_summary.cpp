#include "review/review_summary.h"

#include "link/formatted.h"
#include "review/wall_time.h"

namespace interlock::review {

namespace {
// Bytes as received, with control characters shown as dots.
std::string printable(std::string_view bytes) {
    std::string text(bytes);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = '.';
    }
    return text;
}

std::string count(std::size_t n) {
    return std::to_string(n);
}
} // namespace

std::size_t ReviewSummary::violations() const {
    std::size_t total = 0;
    for (int kind = 0; kind < kEventKindCount; ++kind) {
        if (isViolation(static_cast<EventKind>(kind)))
            total += counts[static_cast<std::size_t>(kind)];
    }
    return total;
}

ReviewSummary summarize(const ExportLog& log) {
    ReviewSummary summary;
    std::int64_t earliest = 0;
    std::int64_t latest = 0;
    for (std::size_t i = 0; i < log.events.size(); ++i) {
        const ReviewEvent& event = log.events[i];
        ++summary.counts[static_cast<std::size_t>(event.kind)];
        const std::int64_t at = wallSeconds(event.time);
        if (!summary.earliest || at < earliest) {
            earliest = at;
            summary.earliest = event.time;
        }
        if (!summary.latest || at > latest) {
            latest = at;
            summary.latest = event.time;
        }
        if (event.reading &&
            (!summary.highest || *event.reading > *log.events[*summary.highest].reading))
            summary.highest = i;
    }
    return summary;
}

std::string stampText(const LogStamp& t, bool withSeconds) {
    std::string text = formatted("%04d-%02d-%02d %02d:%02d", kStampYearBase + t.year, t.month,
                                 t.day, t.hour, t.minute);
    if (withSeconds)
        text += formatted(":%02d", t.second);
    return text;
}

std::string eventListLine(const ExportLog& log, const ReviewEvent& event) {
    return std::to_string(event.number) + "   " +
           stampText(event.time, log.format != RecordFormat::NoSeconds) + "   " +
           log.shownText(event);
}

std::vector<SummaryRow> identityRows(const ExportLog& log, const ReviewSummary& summary) {
    std::vector<SummaryRow> rows;
    const bool withSeconds = log.format != RecordFormat::NoSeconds;
    if (!log.opening) {
        rows.push_back({"Events", "none: the log was empty when it was read"});
        return rows;
    }
    const ExportOpening& o = *log.opening;
    rows.push_back({"Registration number", printable(o.registration)});
    if (log.header) {
        rows.push_back({"Handset S/N", printable(log.header->handsetSerial)});
        rows.push_back({"Control unit S/N", printable(log.header->controlSerial)});
    } else {
        rows.push_back({"Handset S/N", "not sent by the interlock"});
        rows.push_back({"Control unit S/N", "not sent by the interlock"});
    }
    rows.push_back({"Firmware", formatted("%d.%d", o.firmwareMajor, o.firmwareMinor)});
    if (log.header) {
        rows.push_back({"Service date", stampText(log.header->serviceDate, false)});
        rows.push_back({"Service period",
                        count(static_cast<std::size_t>(std::max(0, log.header->servicePeriod)))});
    }
    if (summary.earliest && summary.latest)
        rows.push_back({"Period", stampText(*summary.earliest, withSeconds) + " to " +
                                      stampText(*summary.latest, withSeconds)});
    rows.push_back({"Events", count(log.events.size())});
    rows.push_back({"Interlock counters",
                    formatted("StartWithoutApproved %d, NoPower %d, Starter_Test_Fail %d, "
                              "Retest_Refuse %d, Retest_Fail %d",
                              o.startWithoutApproved, o.noPower, o.starterTestFail, o.retestRefuse,
                              o.retestFail)});
    return rows;
}

std::vector<SummaryRow> countRows(const ExportLog& log, const ReviewSummary& summary) {
    std::vector<SummaryRow> rows;
    rows.push_back({"Violations", count(summary.violations())});
    for (int kind = 0; kind < kEventKindCount; ++kind) {
        const auto k = static_cast<EventKind>(kind);
        rows.push_back({std::string(kindCaption(k)), count(summary.count(k))});
    }
    std::string highest = "no breath test";
    if (summary.highest) {
        const ReviewEvent& event = log.events[*summary.highest];
        highest = std::string(log.readingText(event)) + " at " +
                  stampText(event.time, log.format != RecordFormat::NoSeconds);
    }
    rows.push_back({"Highest reading", highest});
    return rows;
}

} // namespace interlock::review
