#include "review/export_reader.h"

#include "link/formatted.h"
#include "review/event_line.h"
#include "review/export_file_loader.h"

#include <cstdint>

namespace interlock::review {

namespace {
// Each serial number is printed as its 8 bytes, whatever they are.
constexpr std::size_t kSerialWidth = 8;
// An event line takes about this many bytes; used to reserve room.
constexpr std::size_t kTypicalLineSize = 64;

std::string_view wordingName(std::uint8_t wording) {
    return wording == WORDING_PART1 ? "PART 1" : "PART 2";
}
} // namespace

ExportReader::ExportReader(std::string text) {
    log_.text = std::move(text);
    scanner_ = TextScanner(log_.text);
}

double ExportReader::progress() const {
    if (log_.text.empty())
        return 1.0;
    return static_cast<double>(scanner_.position()) / static_cast<double>(log_.text.size());
}

ExportReader::Status ExportReader::step(std::size_t maxEvents) {
    if (status_ != Status::Reading)
        return status_;
    if (!openingRead_) {
        openingRead_ = true;
        // A read that found no event leaves the file empty.
        if (log_.text.empty()) {
            status_ = Status::Done;
            return status_;
        }
        if (!readOpening())
            return status_;
        log_.events.reserve(log_.text.size() / kTypicalLineSize);
        // The opening block is written together with the first event line.
        if (scanner_.atEnd()) {
            fail("the file ends before its first event line: it is cut short", scanner_.line());
            return status_;
        }
    }
    for (std::size_t read = 0; read < maxEvents && !scanner_.atEnd(); ++read) {
        if (!readEventLine())
            return status_;
    }
    if (scanner_.atEnd())
        status_ = Status::Done;
    return status_;
}

bool ExportReader::fail(std::string reason) {
    // What is missing at the end of a file was cut off, whatever was expected.
    if (scanner_.atEnd())
        reason = "the file ends here: it is cut short";
    else if (!scanner_.lineComplete())
        reason = "the line is cut short: the file ends inside it";
    return fail(std::move(reason), scanner_.line());
}

bool ExportReader::fail(std::string reason, int line) {
    status_ = Status::Failed;
    error_ = {line, std::move(reason)};
    return false;
}

bool ExportReader::expectInt(std::string_view before, int& field, std::string_view after,
                             std::string_view what) {
    if (!scanner_.take(before))
        return fail(std::string("expected ") + std::string(what));
    const std::optional<int> value = scanner_.takeInt();
    if (!value || !scanner_.take(after))
        return fail(std::string("expected ") + std::string(what));
    field = *value;
    return true;
}

bool ExportReader::readOpening() {
    ExportOpening& o = log_.opening.emplace();
    if (!scanner_.take("\n"))
        return fail("this is not an export file: its first line is not empty");
    const std::optional<std::string_view> registration = scanner_.takeLine();
    if (!registration)
        return fail("expected the registration number");
    o.registration = *registration;
    scanner_.take("\n");
    if (!scanner_.take("\n"))
        return fail("expected an empty line after the registration number");
    if (!expectInt("PC Ver\t: ", o.programMajor, ".", "the program version (PC Ver)") ||
        !expectInt("", o.programMinor, "\n", "the program version (PC Ver)") ||
        !expectInt("FW Ver\t: ", o.firmwareMajor, ".", "the firmware version (FW Ver)") ||
        !expectInt("", o.firmwareMinor, "\n", "the firmware version (FW Ver)"))
        return false;
    if (!scanner_.take("\n"))
        return fail("expected an empty line after the firmware version");
    if (!expectInt("StartWithoutApproved : ", o.startWithoutApproved, "\n",
                   "the counter StartWithoutApproved") ||
        !expectInt("NoPower : ", o.noPower, "\n", "the counter NoPower") ||
        !expectInt("Starter_Test_Fail : ", o.starterTestFail, "\n",
                   "the counter Starter_Test_Fail") ||
        !expectInt("Retest_Refuse : ", o.retestRefuse, "\n", "the counter Retest_Refuse") ||
        !expectInt("Retest_Fail : ", o.retestFail, "\n", "the counter Retest_Fail"))
        return false;
    // An event line is never empty: an empty line opens the header rows.
    if (scanner_.take("\n"))
        return readHeaderRows();
    return true;
}

bool ExportReader::readHeaderRows() {
    ExportHeaderRows& h = log_.header.emplace();
    const auto serial = [this](std::string_view caption, std::string& to, std::string_view what) {
        const int line = scanner_.line();
        const std::string reason =
            std::string("expected the ") + std::string(what) + " serial number (8 characters)";
        const std::optional<std::string_view> chars =
            scanner_.take(caption) ? scanner_.takeChars(kSerialWidth) : std::nullopt;
        if (!chars)
            return fail(reason);
        // The 8 characters may hold a line end; the line is the one they start on.
        if (!scanner_.take("\n"))
            return fail(reason, line);
        to = *chars;
        return true;
    };
    LogStamp& date = h.serviceDate;
    return serial("HANDSET S/N  : ", h.handsetSerial, "handset") &&
           serial("CONTROLBOX S/N : ", h.controlSerial, "control unit") &&
           expectInt("Service Date\t  : ", date.year, ".", "the service date") &&
           expectInt(" ", date.month, ".", "the service date") &&
           expectInt(" ", date.day, "  ", "the service date") &&
           expectInt("", date.hour, " :", "the service date") &&
           expectInt(" ", date.minute, " \n", "the service date") &&
           expectInt("Service Period : ", h.servicePeriod, " \n", "the service period") &&
           (scanner_.take("\n") || fail("expected an empty line after the service period"));
}

bool ExportReader::readEventLine() {
    const int line = scanner_.line();
    const std::size_t lineStart = scanner_.position();
    const std::optional<LineStart> start = takeLineStart(scanner_);
    if (!start)
        return fail("expected an event line (number, date and time, event)");
    if (log_.format == RecordFormat::Unknown) {
        log_.format = start->format;
        texts_.emplace(start->format);
    } else if (start->format != log_.format) {
        return fail(start->format == RecordFormat::NoSeconds
                        ? "the time has no seconds, unlike the lines before it"
                        : "the time has seconds, unlike the lines before it");
    }
    const std::size_t textStart = scanner_.position();
    const std::optional<std::string_view> text = scanner_.takeLine();
    if (!text)
        return fail("the line is cut short: the file ends inside it");
    scanner_.take("\n");

    const std::size_t expected = log_.events.size() + 1;
    if (start->number < 1 || static_cast<std::size_t>(start->number) != expected)
        return fail(formatted("event number %d where %zu was expected", start->number, expected),
                    line);
    const EventMeaning* meaning = texts_->read(*text);
    if (!meaning)
        return fail("the event text is not one the program writes", line);
    if ((log_.wording & meaning->wording) == 0)
        return fail(std::string("a ") + std::string(wordingName(meaning->wording)) +
                        " event text among " + std::string(wordingName(log_.wording)) +
                        " event texts",
                    line);
    log_.wording &= meaning->wording;
    if (!meaning->unit.empty()) {
        if (log_.readingUnit.empty())
            log_.readingUnit = meaning->unit;
        else if (meaning->unit != log_.readingUnit)
            return fail("a value in " + meaning->unit + " where the lines before are in " +
                            log_.readingUnit,
                        line);
    }

    ReviewEvent& event = log_.events.emplace_back();
    event.number = static_cast<std::uint32_t>(start->number);
    event.time = start->time;
    event.kind = meaning->kind;
    event.reading = meaning->reading;
    event.lineStart = static_cast<std::uint32_t>(lineStart);
    event.lineLength = static_cast<std::uint32_t>(scanner_.position() - 1 - lineStart);
    event.textStart = static_cast<std::uint32_t>(textStart - lineStart);
    return true;
}

std::string readFailureText(std::string_view fileName, const ReadError& error) {
    return formatted("Line %d of ", error.line) + std::string(fileName) +
           " could not be read: " + error.reason + ".";
}

std::string unreadableFileText(std::string_view fileName, std::string_view reason) {
    return std::string(fileName) + " could not be read: " + std::string(reason) + ".";
}

std::variant<ExportLog, ReadError> readExport(std::string_view fileBytes) {
    std::string text;
    bool heldCr = false;
    appendWithLfLineEnds(text, fileBytes, heldCr);
    appendWithLfLineEnds(text, {}, heldCr);
    ExportReader reader(std::move(text));
    while (reader.step(SIZE_MAX) == ExportReader::Status::Reading) {
    }
    if (reader.status() == ExportReader::Status::Failed)
        return reader.error();
    return std::move(reader.log());
}

} // namespace interlock::review
