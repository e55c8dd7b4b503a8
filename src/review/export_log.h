#pragma once

#include "link/local_time.h"
#include "review/event_kind.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace interlock::review {

// The product lines whose wording an event text belongs to (a bit each).
enum WordingMask : std::uint8_t { WORDING_PART1 = 1, WORDING_PART2 = 2, WORDING_EITHER = 3 };

// The event lines of one file all have the same record format.
enum class RecordFormat : std::uint8_t {
    Unknown,
    NoSeconds,   // 8-byte records of early firmware
    WithSeconds, // 10-byte records
};

// The block an export file starts with: what READ LOG knew before the log came.
struct ExportOpening {
    std::string registration;
    int programMajor = 0;
    int programMinor = 0;
    int firmwareMajor = 0;
    int firmwareMinor = 0;
    // The interlock's own counters.
    int startWithoutApproved = 0;
    int noPower = 0;
    int starterTestFail = 0;
    int retestRefuse = 0;
    int retestFail = 0;
};

// The rows taken from the log's header; an interlock may send an empty header.
struct ExportHeaderRows {
    std::string handsetSerial; // 8 bytes as received
    std::string controlSerial;
    LogStamp serviceDate; // local time, no seconds
    int servicePeriod = 0;
};

// One event line of the file.
struct ReviewEvent {
    std::uint32_t number = 0; // as printed, 1 for the first line
    LogStamp time;            // as printed
    EventKind kind = EventKind::Other;
    std::optional<float> reading; // breath tests: the value as printed
    std::uint32_t lineStart = 0;  // where the line starts in ExportLog::text
    std::uint32_t lineLength = 0; // without the line end
    std::uint32_t textStart = 0;  // where the event text starts, from the line's start
};

// Everything an export file holds, read back.
struct ExportLog {
    // The file of a read that found no event is empty: no opening, no events.
    std::optional<ExportOpening> opening;
    std::optional<ExportHeaderRows> header;
    RecordFormat format = RecordFormat::Unknown;
    std::uint8_t wording = WORDING_EITHER; // the lines whose texts fit every event
    std::string readingUnit;               // "%BAC", "mg/L", ... ; empty without a test
    std::vector<ReviewEvent> events;
    // The file's text with its line ends as "\n"; the events point into it.
    std::string text;

    std::string_view line(const ReviewEvent& event) const {
        return std::string_view(text).substr(event.lineStart, event.lineLength);
    }
    // The line after its number and time: the event text and its value.
    std::string_view eventText(const ReviewEvent& event) const {
        return line(event).substr(event.textStart);
    }
    // The event text as a person reads it: tabs as spaces, no space around it.
    std::string shownText(const ReviewEvent& event) const {
        std::string shown;
        for (const char c : eventText(event)) {
            if (c != '\t')
                shown += c;
            else if (!shown.empty() && !shown.ends_with("  "))
                shown += "  ";
        }
        while (shown.starts_with(' '))
            shown.erase(0, 1);
        while (shown.ends_with(' '))
            shown.pop_back();
        return shown;
    }
    // A breath test's value with its unit as printed ("0.052 %BAC"); it follows
    // the last tab of the line.
    std::string_view readingText(const ReviewEvent& event) const {
        std::string_view value = line(event);
        value.remove_prefix(value.rfind('\t') + 1);
        while (value.ends_with(' '))
            value.remove_suffix(1);
        return value;
    }
};

} // namespace interlock::review
