#pragma once

#include "link/local_time.h"
#include "review/export_log.h"
#include "review/text_scanner.h"

#include <cstdint>
#include <optional>

namespace interlock::review {

// The number and the time that start every event line.
struct LineStart {
    int number = 0;
    LogStamp time;
    RecordFormat format = RecordFormat::Unknown;
};

// Takes the number and time from the scanner's position, up to the event text;
// nothing when the line does not start that way.
std::optional<LineStart> takeLineStart(TextScanner& scanner);

} // namespace interlock::review
