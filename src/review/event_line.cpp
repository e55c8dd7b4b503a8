#include "review/event_line.h"

namespace interlock::review {

namespace {
// One "%d" with the text that follows it.
bool takeField(TextScanner& scanner, int& field, std::string_view after) {
    const std::optional<int> value = scanner.takeInt();
    if (!value || !scanner.take(after))
        return false;
    field = *value;
    return true;
}
} // namespace

std::optional<LineStart> takeLineStart(TextScanner& scanner) {
    LineStart start;
    LogStamp& t = start.time;
    if (!takeField(scanner, start.number, " :\t ") || !takeField(scanner, t.year, " / ") ||
        !takeField(scanner, t.month, " / ") || !takeField(scanner, t.day, "\t  ") ||
        !takeField(scanner, t.hour, " :  "))
        return std::nullopt;
    const std::optional<int> minute = scanner.takeInt();
    if (!minute)
        return std::nullopt;
    t.minute = *minute;
    t.second = 0;
    // 10-byte records go on with the seconds; 8-byte records have none.
    if (scanner.take(" :  ")) {
        if (!takeField(scanner, t.second, " "))
            return std::nullopt;
        start.format = RecordFormat::WithSeconds;
    } else if (scanner.take(" ")) {
        start.format = RecordFormat::NoSeconds;
    } else {
        return std::nullopt;
    }
    return start;
}

} // namespace interlock::review
