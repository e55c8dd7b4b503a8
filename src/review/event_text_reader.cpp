#include "review/event_text_reader.h"

#include "log/event_decoder.h"
#include "log/event_wording.h"
#include "review/event_line.h"

#include <array>
#include <charconv>
#include <cmath>
#include <set>
#include <vector>

namespace interlock::review {

namespace {

// One text of a wording table: the code and a parameter that print it.
struct Entry {
    WordingMask line;
    std::uint8_t code;
    std::uint8_t parameter;
    EventTail tail;
    EventKind kind;
};

// The wording tables turned around: entries by the start of their text.
struct Catalogue {
    std::unordered_map<std::string, std::vector<Entry>> byKey;
    // Texts that depend on their value throughout (the breath calibration result).
    std::vector<Entry> valueTexts;
};

// A candidate record for a text: the unit it prints in and its value bytes.
struct Candidate {
    TestUnit unit;
    std::uint16_t value;
};

std::optional<EventWording> wordingOf(WordingMask line, std::uint8_t code, std::uint8_t p) {
    if (line == WORDING_PART1)
        return part1Wording(code, p);
    return part2Wording(code, p);
}

// Codes that mean the same in both product lines.
std::optional<EventKind> sharedKind(std::uint8_t code) {
    using enum EventKind;
    switch (code) {
    case 0x10:
    case 0x11:
        return TestPassed;
    case 0x12:
        return TestFailed;
    case 0x1A:
    case 0x1B:
        return RetestPassed;
    case 0x1C:
        return RetestFailed;
    case 0x6C:
        return RetestMissed;
    case 0x55: // circumvention bypass
        return Tampering;
    case 0x27:
    case 0x2D:
        return Power;
    case 0xA0:
    case 0xA1:
        return Override;
    default:
        return std::nullopt;
    }
}

EventKind part1Kind(std::uint8_t code) {
    using enum EventKind;
    switch (code) {
    case 0x20:
        return InvalidSample;
    case 0x7A: // engine on without a test
    case 0x7B: // vehicle moved without a test
    case 0xA5: // engine ran without the handset
        return StartWithoutApproval;
    case 0x63: // a handset of another set
    case 0xA6: // handset disconnected while the engine ran
        return Tampering;
    case 0x28:
        return Power;
    case 0x23:
        return Override;
    case 0xA9:
        return Calibration;
    default:
        return Other;
    }
}

EventKind part2Kind(std::uint8_t code) {
    switch (code) {
    case 0x20: // a recurring test that ended in an error
        return EventKind::RetestRefused;
    case 0x7A:
    case 0x7B: // they print the tampering text
        return EventKind::Tampering;
    default:
        return EventKind::Other;
    }
}

EventKind kindOf(WordingMask line, std::uint8_t code, std::string_view text) {
    if (const std::optional<EventKind> shared = sharedKind(code))
        return *shared;
    if (line == WORDING_PART2)
        return part2Kind(code);
    // A code the PART 1 table does not know prints a line with no event text.
    if (text == " \r\n")
        return EventKind::Unknown;
    return part1Kind(code);
}

// The event text the program prints for one record of `format`, without the
// number, the time and the line end; empty when it prints nothing.
std::string printedText(WordingMask line, RecordFormat format, TestUnit unit, std::uint8_t code,
                        std::uint16_t value) {
    EventDecoder decoder;
    decoder.traceRecords = false;
    decoder.logType = line == WORDING_PART1 ? LOG_TYPE_PART1 : LOG_TYPE_PART2;
    decoder.generation =
        format == RecordFormat::NoSeconds ? LogGeneration::Early : LogGeneration::V43;
    decoder.testUnit = unit;
    // Any valid time: it is printed as recorded and cut off again.
    const auto high = static_cast<std::uint8_t>(value >> 8);
    const auto low = static_cast<std::uint8_t>(value & 0xFF);
    const std::array<std::uint8_t, 10> record =
        format == RecordFormat::NoSeconds
            ? std::array<std::uint8_t, 10>{0, 1, 1, 0, 0, code, high, low}
            : std::array<std::uint8_t, 10>{0, 1, 1, 0, 0, 0, code, high, low};
    std::uint32_t number = 1;
    LogTexts texts;
    if (!decoder.decode(record, number, texts))
        return {};
    TextScanner scanner(texts.file);
    takeLineStart(scanner);
    std::string text = texts.file.substr(scanner.position());
    if (text.ends_with('\n'))
        text.pop_back();
    return text;
}

// The start of a text that stays the same whatever the value: up to the tab
// before a value, or the whole text.
std::string_view keyOf(std::string_view text) {
    if (!text.starts_with(" \t"))
        return text;
    const std::size_t tab = text.find('\t', 2);
    return tab == std::string_view::npos ? text : text.substr(0, tab + 1);
}

Catalogue buildCatalogue() {
    Catalogue catalogue;
    for (const WordingMask line : {WORDING_PART1, WORDING_PART2}) {
        std::set<std::pair<std::uint8_t, std::string>> seen;
        for (int code = 0; code <= 0xFF; ++code) {
            for (int p = 0; p <= 0xFF; ++p) {
                const auto c = static_cast<std::uint8_t>(code);
                const auto parameter = static_cast<std::uint8_t>(p);
                const std::optional<EventWording> wording = wordingOf(line, c, parameter);
                if (!wording || !seen.emplace(c, wording->text).second)
                    continue;
                const Entry entry{line, c, parameter, wording->tail,
                                  kindOf(line, c, wording->text)};
                if (wording->tail == EventTail::Calibration) {
                    catalogue.valueTexts.push_back(entry);
                    continue;
                }
                const std::string example =
                    printedText(line, RecordFormat::WithSeconds, TestUnit::PercentBac, c,
                                static_cast<std::uint16_t>(p << 8));
                catalogue.byKey[std::string(keyOf(example))].push_back(entry);
            }
        }
    }
    return catalogue;
}

const Catalogue& catalogue() {
    static const Catalogue built = buildCatalogue();
    return built;
}

// The first number in a text ("0.012" of "0.012 %BAC ") and what follows it, trimmed.
struct PrintedNumber {
    double value = 0;
    std::string_view unit;
};

std::optional<PrintedNumber> numberIn(std::string_view text) {
    const std::size_t from = text.find_first_of("0123456789");
    if (from == std::string_view::npos)
        return std::nullopt;
    const std::size_t to = std::min(text.find_first_not_of("0123456789.", from), text.size());
    PrintedNumber number;
    const auto [end, error] = std::from_chars(text.data() + from, text.data() + to, number.value);
    if (error != std::errc())
        return std::nullopt;
    number.unit = text.substr(static_cast<std::size_t>(end - text.data()));
    while (number.unit.starts_with(' '))
        number.unit.remove_prefix(1);
    while (number.unit.ends_with(' '))
        number.unit.remove_suffix(1);
    return number;
}

void addScaled(std::vector<Candidate>& to, TestUnit unit, double printed, double scale) {
    const double value = std::round(printed * scale);
    if (value >= 0 && value <= 0xFFFF)
        to.push_back({unit, static_cast<std::uint16_t>(value)});
}

void addParameter(std::vector<Candidate>& to, double printed) {
    if (printed >= 0 && printed <= 0xFF)
        to.push_back(
            {TestUnit::PercentBac, static_cast<std::uint16_t>(static_cast<int>(printed) << 8)});
}

// Records whose text might be `tail` (what follows the entry's text).
std::vector<Candidate> candidatesFor(const Entry& entry, std::string_view tail,
                                     RecordFormat format) {
    std::vector<Candidate> candidates;
    const std::optional<PrintedNumber> number = numberIn(tail);
    switch (entry.tail) {
    case EventTail::None:
    case EventTail::Blank:
        candidates.push_back(
            {TestUnit::PercentBac, static_cast<std::uint16_t>(entry.parameter << 8)});
        break;
    case EventTail::Value:
        if (!number)
            break;
        // The printed number is the value over a unit's divisor, cut to its steps.
        if (format == RecordFormat::NoSeconds) {
            addScaled(candidates, TestUnit::PercentBac, number->value, 10000);
            break;
        }
        addScaled(candidates, TestUnit::PercentBac, number->value, 10000);
        addScaled(candidates, TestUnit::Promille, number->value, 1000);
        addScaled(candidates, TestUnit::MgPerL, number->value, 2000);
        addScaled(candidates, TestUnit::MgPer100ml, number->value, 10);
        break;
    case EventTail::ErrorCode:
    case EventTail::Seconds:
    case EventTail::Parameter:
        if (number)
            addParameter(candidates, number->value);
        break;
    case EventTail::Temperature:
        if (number)
            addScaled(candidates, TestUnit::PercentBac, number->value, 10);
        break;
    case EventTail::DeviceError:
        for (int p = 0; p <= 0xFF; ++p)
            addParameter(candidates, p);
        break;
    case EventTail::Calibration:
        break;
    }
    return candidates;
}

void note(std::optional<EventMeaning>& found, const Entry& entry) {
    if (found) {
        found->wording |= entry.line;
        return;
    }
    found = EventMeaning{entry.kind, entry.line, std::nullopt, {}};
}
} // namespace

const EventMeaning* EventTextReader::read(std::string_view text) {
    auto known = seen_.find(text);
    if (known == seen_.end())
        known = seen_.emplace(std::string(text), recognise(text)).first;
    return known->second ? &*known->second : nullptr;
}

std::optional<EventMeaning> EventTextReader::recognise(std::string_view text) const {
    std::optional<EventMeaning> found;
    const Catalogue& tables = catalogue();
    const std::string_view key = keyOf(text);
    if (const auto entries = tables.byKey.find(std::string(key)); entries != tables.byKey.end()) {
        const std::string_view tail = text.substr(key.size());
        for (const Entry& entry : entries->second) {
            for (const Candidate& candidate : candidatesFor(entry, tail, format_)) {
                if (printedText(entry.line, format_, candidate.unit, entry.code, candidate.value) !=
                    text)
                    continue;
                note(found, entry);
                if (entry.tail == EventTail::Value) {
                    const std::optional<PrintedNumber> number = numberIn(tail);
                    found->unit = number->unit;
                    if (isBreathTest(entry.kind))
                        found->reading = static_cast<float>(number->value);
                }
                break;
            }
        }
    }
    if (found)
        return found;

    // Calibration results: an accepted result lies between 450 and 550 and prints its
    // value; any other value prints the same failure line.
    std::vector<TestUnit> units{TestUnit::PercentBac};
    if (format_ == RecordFormat::WithSeconds)
        units = {TestUnit::PercentBac, TestUnit::Promille, TestUnit::MgPerL, TestUnit::MgPer100ml};
    for (const Entry& entry : tables.valueTexts) {
        for (int value = 449; value <= 550; ++value) {
            const bool matches = std::any_of(units.begin(), units.end(), [&](TestUnit unit) {
                return printedText(entry.line, format_, unit, entry.code,
                                   static_cast<std::uint16_t>(value)) == text;
            });
            if (!matches)
                continue;
            note(found, entry);
            found->kind = value == 449 ? EventKind::CalibrationFailed : EventKind::Calibration;
            break;
        }
    }
    return found;
}

} // namespace interlock::review
