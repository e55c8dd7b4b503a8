#pragma once

#include "review/export_log.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace interlock::review {

// What happened in the period a log covers, at a glance.
struct ReviewSummary {
    std::array<std::size_t, kEventKindCount> counts{};
    std::optional<LogStamp> earliest; // the period the events cover
    std::optional<LogStamp> latest;
    std::optional<std::size_t> highest; // the event with the highest breath reading

    std::size_t count(EventKind kind) const { return counts[static_cast<std::size_t>(kind)]; }
    std::size_t violations() const;
};

ReviewSummary summarize(const ExportLog& log);

// A time as the review shows it: "2017-01-05 09:07:03", without seconds for logs
// whose records have none.
std::string stampText(const LogStamp& time, bool withSeconds = true);

// An event as the review lists it: number, time, event text and value.
std::string eventListLine(const ExportLog& log, const ReviewEvent& event);

// One line of the summary: a caption and its value.
struct SummaryRow {
    std::string caption;
    std::string value;
};

// The identity of the log: registration, serial numbers, versions, service date,
// the period and the interlock's own counters.
std::vector<SummaryRow> identityRows(const ExportLog& log, const ReviewSummary& summary);
// The count of each kind of event, and the highest reading.
std::vector<SummaryRow> countRows(const ExportLog& log, const ReviewSummary& summary);

} // namespace interlock::review
