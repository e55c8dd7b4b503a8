#include "sim/sim_options.h"

#include "sim/event_log.h"
#include "sim/state_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

namespace interlock::sim {

namespace {

using Handler = std::function<bool(SimOptions&, const std::string&)>;

struct OptionEntry {
    const char* name;
    const char* value; // nullptr: a flag without value
    const char* help;
    Handler apply;
};

// Text readers: true, with `out` set, when the whole text is a value in range.

template <typename Int> bool readNumber(std::string_view digits, Int& out, Int low, Int high) {
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    unsigned long long value = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc{} || end != digits.data() + digits.size() || digits.empty() ||
        value < static_cast<unsigned long long>(low) ||
        value > static_cast<unsigned long long>(high))
        return false;
    out = static_cast<Int>(value);
    return true;
}

// "4.4" as 0x0404.
bool readVersion(std::string_view text, std::uint16_t& out) {
    const auto dot = text.find('.');
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    if (dot == std::string::npos || !readNumber<std::uint8_t>(text.substr(0, dot), major, 0, 255) ||
        !readNumber<std::uint8_t>(text.substr(dot + 1), minor, 0, 255))
        return false;
    out = static_cast<std::uint16_t>(major << 8 | minor);
    return true;
}

// "0x62" or "0x62:2".
bool readAnswerPick(std::string_view text, AnswerPick& out) {
    const auto colon = text.find(':');
    AnswerPick pick;
    if (!readNumber<std::uint8_t>(text.substr(0, colon), pick.code, 0, 255))
        return false;
    if (colon != std::string::npos &&
        !readNumber<std::uint32_t>(text.substr(colon + 1), pick.nth, 1, 0xFFFFFFFF))
        return false;
    out = pick;
    return true;
}

bool readCivilTime(const std::string& text, CivilTime& out) {
    CivilTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second, &tail) != 6)
        return false;
    if (t.year < 2000 || t.year > 2255 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 ||
        t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
        return false;
    out = t;
    return true;
}

// Where an option's value goes: a field of the options, of the device, of its faults
// or of the faults in its log's content.
template <typename T> using Target = std::function<T&(SimOptions&)>;

template <typename T> Target<T> options(T SimOptions::*member) {
    return [member](SimOptions& o) -> T& { return o.*member; };
}
template <typename T> Target<T> device(T SimConfig::*member) {
    return [member](SimOptions& o) -> T& { return o.config.*member; };
}
template <typename T> Target<T> fault(T SimFaults::*member) {
    return [member](SimOptions& o) -> T& { return o.config.faults.*member; };
}
template <typename T> Target<T> logFault(T LogContentFaults::*member) {
    return [member](SimOptions& o) -> T& { return o.config.faults.logContent.*member; };
}

// The value a target holds, whether it is optional or not.
template <typename T> struct Held { using type = T; };
template <typename T> struct Held<std::optional<T>> { using type = T; };

// Parsers: each reads an option's value into its target, which is left alone when
// the value cannot be used.

Handler flag(Target<bool> target, bool value) {
    return [target, value](SimOptions& o, const std::string&) {
        target(o) = value;
        return true;
    };
}

template <typename T>
Handler number(Target<T> target, typename Held<T>::type low, typename Held<T>::type high) {
    return [target, low, high](SimOptions& o, const std::string& text) {
        typename Held<T>::type value{};
        if (!readNumber(text, value, low, high))
            return false;
        target(o) = value;
        return true;
    };
}

template <typename T>
Handler milliseconds(Target<T> target, std::uint32_t low, std::uint32_t high) {
    return [target, low, high](SimOptions& o, const std::string& text) {
        std::uint32_t ms = 0;
        if (!readNumber(text, ms, low, high))
            return false;
        target(o) = msec(ms);
        return true;
    };
}

Handler path(Target<std::string> target) {
    return [target](SimOptions& o, const std::string& text) {
        target(o) = text;
        return !text.empty();
    };
}

Handler version(Target<std::uint16_t> target) {
    return
        [target](SimOptions& o, const std::string& text) { return readVersion(text, target(o)); };
}

Handler civilTime(Target<std::optional<CivilTime>> target) {
    return [target](SimOptions& o, const std::string& text) {
        CivilTime t;
        if (!readCivilTime(text, t))
            return false;
        target(o) = t;
        return true;
    };
}

// A fault aimed at one answer, picked by its response code and number.
Handler answer(Target<std::optional<AnswerPick>> target) {
    return [target](SimOptions& o, const std::string& text) {
        AnswerPick pick;
        if (!readAnswerPick(text, pick))
            return false;
        target(o) = pick;
        return true;
    };
}

// One of a few words, each standing for a value.
template <typename T> using Word = std::pair<std::string_view, T>;

template <typename T, std::size_t N> Handler choice(Target<T> target, const Word<T> (&words)[N]) {
    return [target, &words](SimOptions& o, const std::string& text) {
        for (const auto& [word, value] : words)
            if (text == word) {
                target(o) = value;
                return true;
            }
        return false;
    };
}

constexpr Word<HeaderMode> kEmptyHeaders[] = {{"0", HeaderMode::EmptyZero},
                                              {"ffffffff", HeaderMode::EmptyAllOnes},
                                              {"0xffffffff", HeaderMode::EmptyAllOnes},
                                              {"FFFFFFFF", HeaderMode::EmptyAllOnes}};
constexpr Word<CalOutcome> kCalOutcomes[] = {{"pass", CalOutcome::Pass},
                                             {"fail-first", CalOutcome::FailFirst},
                                             {"fail-second", CalOutcome::FailSecond},
                                             {"fail-check", CalOutcome::FailCheck}};

// "N[:MS]": the event section stops after N bytes, and resumes after MS if given.
Handler logStall() {
    return [](SimOptions& o, const std::string& text) {
        const auto colon = text.find(':');
        std::size_t after = 0;
        std::uint32_t ms = 0;
        if (!readNumber<std::size_t>(std::string_view(text).substr(0, colon), after, 0, SIZE_MAX) ||
            (colon != std::string::npos &&
             !readNumber<std::uint32_t>(std::string_view(text).substr(colon + 1), ms, 1, 3600000)))
            return false;
        o.config.faults.stallLogAfter = after;
        o.config.faults.stallFor = msec(ms);
        return true;
    };
}

// Parsers of changes to the stored records: the value is read now and applied on
// top of the state file later.

// A record given as hex digits, exactly its size.
template <typename Record> Handler hexRecord(Record DeviceRecords::*member) {
    return [member](SimOptions& o, const std::string& text) {
        Record record;
        if (text.size() != Record::size * 2)
            return false;
        for (std::size_t i = 0; i < Record::size; ++i)
            if (!readNumber<std::uint8_t>("0x" + text.substr(2 * i, 2), record.bytes[i], 0, 255))
                return false;
        o.recordEdits.push_back([member, record](DeviceRecords& r) { r.*member = record; });
        return true;
    };
}

Handler identityByte(void (IdentityRecord::*setter)(std::uint8_t), std::uint8_t high) {
    return [setter, high](SimOptions& o, const std::string& text) {
        std::uint8_t value = 0;
        if (!readNumber<std::uint8_t>(text, value, 0, high))
            return false;
        o.recordEdits.push_back([setter, value](DeviceRecords& r) { (r.identity.*setter)(value); });
        return true;
    };
}

Handler serial(void (IdentityRecord::*setter)(std::string_view)) {
    return [setter](SimOptions& o, const std::string& text) {
        if (text.size() != IdentityRecord::kSerialWidth)
            return false;
        o.recordEdits.push_back([setter, text](DeviceRecords& r) { (r.identity.*setter)(text); });
        return true;
    };
}

// The product line; a PART 1 unit words its log for PART 1 until a PART 2 settings
// write.
Handler productLine() {
    return [](SimOptions& o, const std::string& text) {
        std::uint8_t part = 0;
        if (!readNumber<std::uint8_t>(text, part, 0, 255))
            return false;
        o.recordEdits.push_back([part](DeviceRecords& r) {
            r.identity.set_Part_type_f(part);
            r.config.set_log_type(part == 1 ? 0 : 1);
        });
        return true;
    };
}

Handler firmwareVersion() {
    return [](SimOptions& o, const std::string& text) {
        std::uint16_t v = 0;
        if (!readVersion(text, v))
            return false;
        o.recordEdits.push_back([v](DeviceRecords& r) {
            r.info.set_version(static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v & 0xFF));
        });
        return true;
    };
}

// The five diagnosis counters, comma-separated.
Handler counters() {
    return [](SimOptions& o, const std::string& text) {
        std::array<std::uint8_t, 5> counters{};
        std::istringstream in(text);
        std::string item;
        std::size_t n = 0;
        while (std::getline(in, item, ','))
            if (n >= counters.size() || !readNumber<std::uint8_t>(item, counters[n++], 0, 255))
                return false;
        if (n != counters.size())
            return false;
        o.recordEdits.push_back([counters](DeviceRecords& r) { r.counters = counters; });
        return true;
    };
}

// clang-format off
const std::vector<OptionEntry>& optionTable() {
    static const std::vector<OptionEntry> table = {
        {"--help", nullptr, "show this list and exit", flag(options(&SimOptions::help), true)},
        {"--device", "PATH", "serve on this serial device instead of a new pseudo-terminal", path(options(&SimOptions::devicePath))},
        {"--part", "N", "product line Part_type_f: 0 not set, 1 PART 1, 2 PART 2 (default 2); the log\n      wording (log_type) follows: PART 1 texts for 1, PART 2 texts otherwise", productLine()},
        {"--dut", "N", "answering unit DUT: 0 none, 1 control unit, 2 handset (default 1)", identityByte(&IdentityRecord::set_DUT, 255)},
        {"--firmware", "M.m", "firmware version in the info record (default 4.4)", firmwareVersion()},
        {"--new-firmware", "M.m", "version the device reports after a firmware load (4.4)", version(device(&SimConfig::newFirmware))},
        {"--handset-serial", "TEXT", "handset serial number, 8 characters", serial(&IdentityRecord::set_handset_serial)},
        {"--control-serial", "TEXT", "control unit serial number, 8 characters", serial(&IdentityRecord::set_control_serial)},
        {"--identity", "HEX", "identity record, 19 bytes as 38 hex digits", hexRecord(&DeviceRecords::identity)},
        {"--option", "HEX", "Te_Option_t, 10 bytes as hex digits", hexRecord(&DeviceRecords::option)},
        {"--config", "HEX", "Te_Config_Data_t, 19 bytes as hex digits", hexRecord(&DeviceRecords::config)},
        {"--service", "HEX", "Te_Service_t, 13 bytes as hex digits", hexRecord(&DeviceRecords::service)},
        {"--gsensor", "HEX", "Te_G_Sensor_t, 5 bytes as hex digits", hexRecord(&DeviceRecords::gSensor)},
        {"--counters", "A,B,C,D,E", "diagnosis counters Retest_Refuse, Retest_Fail, Starter_Test_Fail, StartWithoutApproved, NoPower", counters()},
        {"--clock", "'YYYY-MM-DD hh:mm:ss'", "device clock in UTC at start (default: the PC's)", civilTime(options(&SimOptions::clock))},
        {"--log-count", "N", "generate an event log of N events (default 40 without a state file)", number(options(&SimOptions::logCount), 0, 1000000)},
        {"--log-seed", "N", "seed of the generated log (default 1)", number(options(&SimOptions::logSeed), 0, 0xFFFFFFFF)},
        {"--log-line", "N", "wording of the generated events: 1 PART 1, 2 PART 2 (default --part)", number(options(&SimOptions::logLine), 1, 2)},
        {"--log-file", "PATH", "load the event log from a text file: 'YYYY-MM-DD hh:mm:ss CODE VALUE' or 'empty' a line", path(options(&SimOptions::logFile))},
        {"--empty-header", "0|ffffffff", "answer the header section with this length and no body", choice(device(&SimConfig::header), kEmptyHeaders)},
        {"--cal-outcome", "pass|fail-first|fail-second|fail-check", "densities the calibration measures (default pass)", choice(device(&SimConfig::calOutcome), kCalOutcomes)},
        {"--cal-step-ms", "MS", "time between two calibration reports (default 1500)", milliseconds(device(&SimConfig::calStep), 1, 600000)},
        {"--latency-ms", "MS", "time from a request to its answer (default 2)", milliseconds(device(&SimConfig::latency), 0, 60000)},
        {"--no-pacing", nullptr, "send as fast as the line takes (default: 11,520 bytes/s)", flag(options(&SimOptions::pacing), false)},
        {"--no-ack", nullptr, "do not answer writes with ACK", flag(device(&SimConfig::answerAck), false)},
        {"--id-alt", nullptr, "answer the identity with code 0xBB instead of 0x60", flag(device(&SimConfig::identityAlt), true)},
        {"--split-ready", nullptr, "the firmware loader sends \"Ready\\r\\n\" in two writes", flag(device(&SimConfig::splitReady), true)},
        {"--loader-waiting", nullptr, "start in the firmware loader, which says \"Ready\\r\\n\" whenever the line has been\n      quiet for a second and ignores what is no image", flag(device(&SimConfig::loaderWaiting), true)},
        {"--state", "PATH", "keep records and log in this file across runs", path(options(&SimOptions::stateFile))},
        {"--served-log", "PATH", "append every log section served, byte for byte, to this file", path(options(&SimOptions::servedLogFile))},
        {"--events-out", "PATH", "write the event log in text form here whenever it is served", path(options(&SimOptions::eventsOutFile))},
        {"--firmware-out", "PATH", "write each firmware image received to this file", path(options(&SimOptions::firmwareOutFile))},
        {"--drop-byte", "N", "fault: never send byte N (0-based, counted over all output)", number(fault(&SimFaults::dropByte), 0, UINT64_MAX)},
        {"--corrupt-byte", "N", "fault: send byte N inverted", number(fault(&SimFaults::corruptByte), 0, UINT64_MAX)},
        {"--bad-crc", "CODE[:NTH]", "fault: the NTH answer with this response code has a bad CRC", answer(fault(&SimFaults::badCrc))},
        {"--garbage", "CODE[:NTH]", "fault: stray bytes 55 AA 00 7E come 50 ms before that answer", answer(fault(&SimFaults::garbageBefore))},
        {"--partial-frame", "CODE[:NTH]", "fault: a frame start that never completes (02 60 C8) comes 50 ms before that answer", answer(fault(&SimFaults::partialBefore))},
        {"--short-answer", "CODE[:NTH]", "fault: that answer carries only one payload byte", answer(fault(&SimFaults::shortAnswer))},
        {"--unasked-cal-value", "CODE[:NTH]", "fault: a calibration value report (density 500) nobody asked for follows that answer", answer(fault(&SimFaults::calValueAfter))},
        {"--refuse", "CODE[:NTH]", "fault: the NTH request with this code (a write, say 0x55) is answered with NACK\n      and changes nothing", answer(fault(&SimFaults::refuseRequest))},
        {"--stall-log", "N[:MS]", "fault: the event section stops after N bytes; resumes after MS if given", logStall()},
        {"--stall-header", "N", "fault: the header section stops after N bytes (resumes as --stall-log says)", number(fault(&SimFaults::stallHeaderAfter), 0, UINT64_MAX)},
        {"--erased-log", nullptr, "fault: the event section is an erased length (ffffffff) alone", flag(device(&SimConfig::erasedLog), true)},
        {"--bad-record-check", "N", "fault: event record N (0-based) has a wrong check byte", number(logFault(&LogContentFaults::badCheckRecord), 0, SIZE_MAX)},
        {"--bad-total", nullptr, "fault: the event log total is one too high", flag(logFault(&LogContentFaults::badTotal), true)},
        {"--hangup-after", "N", "fault: drop the line after N answer frames", number(fault(&SimFaults::hangupAfter), 1, 0xFFFFFFFF)},
        {"--loader-mute", "MS", "fault: the loader takes a whole image, then neither starts it nor answers, and says\n      \"Ready\\r\\n\" again after MS", milliseconds(fault(&SimFaults::loaderMute), 1, 3600000)},
        {"--ignore-stdin", nullptr, "keep serving when standard input closes", flag(options(&SimOptions::ignoreStdin), true)},
        {"--verbose", nullptr, "describe every request on standard error", flag(options(&SimOptions::verbose), true)},
    };
    return table;
}
// clang-format on

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto entry = std::find_if(optionTable().begin(), optionTable().end(),
                                        [&](const OptionEntry& s) { return args[i] == s.name; });
        if (entry == optionTable().end()) {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
        std::string value;
        if (entry->value) {
            if (i + 1 == args.size()) {
                error = args[i] + " needs a value " + entry->value;
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!entry->apply(options, value)) {
            error = "bad value for " + args[i - (entry->value ? 1 : 0)] + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}

std::string helpText() {
    std::string text = "usage: interlock-sim [options]\n"
                       "A simulated breath-alcohol interlock. Prints the port path on its first\n"
                       "line, then serves until SIGINT, SIGTERM or the end of standard input.\n\n";
    for (const OptionEntry& entry : optionTable()) {
        std::string left = std::string("  ") + entry.name;
        if (entry.value)
            left += std::string(" ") + entry.value;
        text += left + "\n      " + entry.help + "\n";
    }
    return text;
}

std::optional<SimConfig> buildConfig(const SimOptions& options, const CivilTime& pcUtc,
                                     std::string& error) {
    SimConfig config = options.config;
    config.clockStart = options.clock.value_or(pcUtc);
    config.bytesPerSecond = options.pacing ? kLineBytesPerSecond : 0;

    std::optional<DeviceRecords> stored;
    if (!options.stateFile.empty()) {
        stored = loadState(options.stateFile, error);
        if (!stored && !error.empty())
            return std::nullopt;
    }
    DeviceRecords records = stored.value_or(defaultRecords());
    for (const auto& edit : options.recordEdits)
        edit(records);

    if (!options.logFile.empty()) {
        const std::optional<std::string> text = readFile(options.logFile);
        if (!text) {
            error = "cannot read " + options.logFile;
            return std::nullopt;
        }
        std::optional<std::vector<LogEvent>> events = parseEvents(*text, error);
        if (!events)
            return std::nullopt;
        records.log = std::move(*events);
    } else if (options.logCount || !stored) {
        const std::uint8_t part = records.identity.Part_type_f() == 1 ? 1 : 2;
        const CivilTime start = addSeconds(config.clockStart, -60LL * 24 * 3600);
        records.log = generateEvents(options.logSeed, options.logCount.value_or(40),
                                     options.logLine.value_or(part), start);
    }
    config.records = std::move(records);
    return config;
}

} // namespace interlock::sim
