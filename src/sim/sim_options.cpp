#include "sim/sim_options.h"

#include "sim/event_log.h"
#include "sim/state_file.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace interlock::sim {

namespace {

using Handler = std::function<bool(SimOptions&, const std::string&)>;

struct OptionEntry {
    const char* name;
    const char* value; // nullptr: a flag without value
    const char* help;
    Handler apply;
};

template <typename Int> bool number(const std::string& text, Int& out, Int low, Int high) {
    int base = 10;
    std::string_view digits = text;
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
bool version(const std::string& text, std::uint16_t& out) {
    const auto dot = text.find('.');
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    if (dot == std::string::npos || !number<std::uint8_t>(text.substr(0, dot), major, 0, 255) ||
        !number<std::uint8_t>(text.substr(dot + 1), minor, 0, 255))
        return false;
    out = static_cast<std::uint16_t>(major << 8 | minor);
    return true;
}

// "0x62" or "0x62:2".
bool answerPick(const std::string& text, std::optional<AnswerPick>& out) {
    const auto colon = text.find(':');
    AnswerPick pick;
    if (!number<std::uint8_t>(text.substr(0, colon), pick.code, 0, 255))
        return false;
    if (colon != std::string::npos &&
        !number<std::uint32_t>(text.substr(colon + 1), pick.nth, 1, 0xFFFFFFFF))
        return false;
    out = pick;
    return true;
}

bool civilTime(const std::string& text, CivilTime& out) {
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

// A record given as hex digits, exactly its size.
template <typename Record> Handler hexRecord(Record DeviceRecords::*member) {
    return [member](SimOptions& o, const std::string& text) {
        Record record;
        if (text.size() != Record::size * 2)
            return false;
        for (std::size_t i = 0; i < Record::size; ++i)
            if (!number<std::uint8_t>("0x" + text.substr(2 * i, 2), record.bytes[i], 0, 255))
                return false;
        o.recordEdits.push_back([member, record](DeviceRecords& r) { r.*member = record; });
        return true;
    };
}

Handler identityByte(void (IdentityRecord::*setter)(std::uint8_t), std::uint8_t high) {
    return [setter, high](SimOptions& o, const std::string& text) {
        std::uint8_t value = 0;
        if (!number<std::uint8_t>(text, value, 0, high))
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

Handler path(std::string SimOptions::*member) {
    return [member](SimOptions& o, const std::string& text) {
        o.*member = text;
        return !text.empty();
    };
}

Handler flag(bool SimOptions::*member, bool value) {
    return [member, value](SimOptions& o, const std::string&) {
        o.*member = value;
        return true;
    };
}

Handler configFlag(bool SimConfig::*member, bool value) {
    return [member, value](SimOptions& o, const std::string&) {
        o.config.*member = value;
        return true;
    };
}

Handler millis(SimTime SimConfig::*member, std::uint32_t low, std::uint32_t high) {
    return [member, low, high](SimOptions& o, const std::string& text) {
        std::uint32_t ms = 0;
        if (!number<std::uint32_t>(text, ms, low, high))
            return false;
        o.config.*member = msec(ms);
        return true;
    };
}

Handler byteIndex(std::optional<std::uint64_t> SimFaults::*member) {
    return [member](SimOptions& o, const std::string& text) {
        std::uint64_t index = 0;
        if (!number<std::uint64_t>(text, index, 0, UINT64_MAX))
            return false;
        o.config.faults.*member = index;
        return true;
    };
}

// A fault aimed at one answer, picked by its response code and number.
Handler answerFault(std::optional<AnswerPick> SimFaults::*member) {
    return [member](SimOptions& o, const std::string& text) {
        return answerPick(text, o.config.faults.*member);
    };
}

const std::vector<OptionEntry>& optionTable() {
    static const std::vector<OptionEntry> table = {
        {"--help", nullptr, "show this list and exit", flag(&SimOptions::help, true)},
        {"--device", "PATH", "serve on this serial device instead of a new pseudo-terminal",
         path(&SimOptions::devicePath)},
        {"--part", "N",
         "product line Part_type_f: 0 not set, 1 PART 1, 2 PART 2 (default 2); the log\n"
         "      wording (log_type) follows: PART 1 texts for 1, PART 2 texts otherwise",
         [](SimOptions& o, const std::string& text) {
             std::uint8_t part = 0;
             if (!number<std::uint8_t>(text, part, 0, 255))
                 return false;
             // A PART 1 unit words its log for PART 1 until a PART 2 settings write.
             o.recordEdits.push_back([part](DeviceRecords& r) {
                 r.identity.set_Part_type_f(part);
                 r.config.set_log_type(part == 1 ? 0 : 1);
             });
             return true;
         }},
        {"--dut", "N", "answering unit DUT: 0 none, 1 control unit, 2 handset (default 1)",
         identityByte(&IdentityRecord::set_DUT, 255)},
        {"--firmware", "M.m", "firmware version in the info record (default 4.4)",
         [](SimOptions& o, const std::string& text) {
             std::uint16_t v = 0;
             if (!version(text, v))
                 return false;
             o.recordEdits.push_back([v](DeviceRecords& r) {
                 r.info.set_version(static_cast<std::uint8_t>(v >> 8),
                                    static_cast<std::uint8_t>(v & 0xFF));
             });
             return true;
         }},
        {"--new-firmware", "M.m", "version the device reports after a firmware load (4.4)",
         [](SimOptions& o, const std::string& text) {
             return version(text, o.config.newFirmware);
         }},
        {"--handset-serial", "TEXT", "handset serial number, 8 characters",
         serial(&IdentityRecord::set_handset_serial)},
        {"--control-serial", "TEXT", "control unit serial number, 8 characters",
         serial(&IdentityRecord::set_control_serial)},
        {"--identity", "HEX", "identity record, 19 bytes as 38 hex digits",
         hexRecord(&DeviceRecords::identity)},
        {"--option", "HEX", "Te_Option_t, 10 bytes as hex digits",
         hexRecord(&DeviceRecords::option)},
        {"--config", "HEX", "Te_Config_Data_t, 19 bytes as hex digits",
         hexRecord(&DeviceRecords::config)},
        {"--service", "HEX", "Te_Service_t, 13 bytes as hex digits",
         hexRecord(&DeviceRecords::service)},
        {"--gsensor", "HEX", "Te_G_Sensor_t, 5 bytes as hex digits",
         hexRecord(&DeviceRecords::gSensor)},
        {"--counters", "A,B,C,D,E",
         "diagnosis counters Retest_Refuse, Retest_Fail, Starter_Test_Fail, "
         "StartWithoutApproved, NoPower",
         [](SimOptions& o, const std::string& text) {
             std::array<std::uint8_t, 5> counters{};
             std::istringstream in(text);
             std::string item;
             std::size_t n = 0;
             while (std::getline(in, item, ','))
                 if (n >= counters.size() || !number<std::uint8_t>(item, counters[n++], 0, 255))
                     return false;
             if (n != counters.size())
                 return false;
             o.recordEdits.push_back([counters](DeviceRecords& r) { r.counters = counters; });
             return true;
         }},
        {"--clock", "'YYYY-MM-DD hh:mm:ss'", "device clock in UTC at start (default: the PC's)",
         [](SimOptions& o, const std::string& text) {
             CivilTime t;
             if (!civilTime(text, t))
                 return false;
             o.clock = t;
             return true;
         }},
        {"--log-count", "N", "generate an event log of N events (default 40 without a state file)",
         [](SimOptions& o, const std::string& text) {
             std::size_t n = 0;
             if (!number<std::size_t>(text, n, 0, 1000000))
                 return false;
             o.logCount = n;
             return true;
         }},
        {"--log-seed", "N", "seed of the generated log (default 1)",
         [](SimOptions& o, const std::string& text) {
             return number<std::uint32_t>(text, o.logSeed, 0, 0xFFFFFFFF);
         }},
        {"--log-line", "N", "wording of the generated events: 1 PART 1, 2 PART 2 (default --part)",
         [](SimOptions& o, const std::string& text) {
             std::uint8_t line = 0;
             if (!number<std::uint8_t>(text, line, 1, 2))
                 return false;
             o.logLine = line;
             return true;
         }},
        {"--log-file", "PATH",
         "load the event log from a text file: 'YYYY-MM-DD hh:mm:ss CODE VALUE' or 'empty' a line",
         path(&SimOptions::logFile)},
        {"--empty-header", "0|ffffffff", "answer the header section with this length and no body",
         [](SimOptions& o, const std::string& text) {
             if (text == "0")
                 o.config.header = HeaderMode::EmptyZero;
             else if (text == "ffffffff" || text == "0xffffffff" || text == "FFFFFFFF")
                 o.config.header = HeaderMode::EmptyAllOnes;
             else
                 return false;
             return true;
         }},
        {"--cal-outcome", "pass|fail-first|fail-second|fail-check",
         "densities the calibration measures (default pass)",
         [](SimOptions& o, const std::string& text) {
             static const std::pair<const char*, CalOutcome> names[] = {
                 {"pass", CalOutcome::Pass},
                 {"fail-first", CalOutcome::FailFirst},
                 {"fail-second", CalOutcome::FailSecond},
                 {"fail-check", CalOutcome::FailCheck}};
             for (const auto& [name, outcome] : names)
                 if (text == name) {
                     o.config.calOutcome = outcome;
                     return true;
                 }
             return false;
         }},
        {"--cal-step-ms", "MS", "time between two calibration reports (default 1500)",
         millis(&SimConfig::calStep, 1, 600000)},
        {"--latency-ms", "MS", "time from a request to its answer (default 2)",
         millis(&SimConfig::latency, 0, 60000)},
        {"--no-pacing", nullptr, "send as fast as the line takes (default: 11,520 bytes/s)",
         flag(&SimOptions::pacing, false)},
        {"--no-ack", nullptr, "do not answer writes with ACK",
         configFlag(&SimConfig::answerAck, false)},
        {"--id-alt", nullptr, "answer the identity with code 0xBB instead of 0x60",
         configFlag(&SimConfig::identityAlt, true)},
        {"--split-ready", nullptr, "the firmware loader sends \"Ready\\r\\n\" in two writes",
         configFlag(&SimConfig::splitReady, true)},
        {"--loader-waiting", nullptr,
         "start in the firmware loader, which says \"Ready\\r\\n\" whenever the line has been\n"
         "      quiet for a second and ignores what is no image",
         configFlag(&SimConfig::loaderWaiting, true)},
        {"--state", "PATH", "keep records and log in this file across runs",
         path(&SimOptions::stateFile)},
        {"--served-log", "PATH", "append every log section served, byte for byte, to this file",
         path(&SimOptions::servedLogFile)},
        {"--events-out", "PATH", "write the event log in text form here whenever it is served",
         path(&SimOptions::eventsOutFile)},
        {"--firmware-out", "PATH", "write each firmware image received to this file",
         path(&SimOptions::firmwareOutFile)},
        {"--drop-byte", "N", "fault: never send byte N (0-based, counted over all output)",
         byteIndex(&SimFaults::dropByte)},
        {"--corrupt-byte", "N", "fault: send byte N inverted", byteIndex(&SimFaults::corruptByte)},
        {"--bad-crc", "CODE[:NTH]", "fault: the NTH answer with this response code has a bad CRC",
         answerFault(&SimFaults::badCrc)},
        {"--garbage", "CODE[:NTH]", "fault: stray bytes 55 AA 00 7E come 50 ms before that answer",
         answerFault(&SimFaults::garbageBefore)},
        {"--partial-frame", "CODE[:NTH]",
         "fault: a frame start that never completes (02 60 C8) comes 50 ms before that answer",
         answerFault(&SimFaults::partialBefore)},
        {"--short-answer", "CODE[:NTH]", "fault: that answer carries only one payload byte",
         answerFault(&SimFaults::shortAnswer)},
        {"--unasked-cal-value", "CODE[:NTH]",
         "fault: a calibration value report (density 500) nobody asked for follows that answer",
         answerFault(&SimFaults::calValueAfter)},
        {"--refuse", "CODE[:NTH]",
         "fault: the NTH request with this code (a write, say 0x55) is answered with NACK\n"
         "      and changes nothing",
         answerFault(&SimFaults::refuseRequest)},
        {"--stall-log", "N[:MS]",
         "fault: the event section stops after N bytes; resumes after MS if given",
         [](SimOptions& o, const std::string& text) {
             const auto colon = text.find(':');
             std::size_t after = 0;
             std::uint32_t ms = 0;
             if (!number<std::size_t>(text.substr(0, colon), after, 0, SIZE_MAX) ||
                 (colon != std::string::npos &&
                  !number<std::uint32_t>(text.substr(colon + 1), ms, 1, 3600000)))
                 return false;
             o.config.faults.stallLogAfter = after;
             o.config.faults.stallFor = msec(ms);
             return true;
         }},
        {"--stall-header", "N",
         "fault: the header section stops after N bytes (resumes as --stall-log says)",
         byteIndex(&SimFaults::stallHeaderAfter)},
        {"--erased-log", nullptr, "fault: the event section is an erased length (ffffffff) alone",
         configFlag(&SimConfig::erasedLog, true)},
        {"--bad-record-check", "N", "fault: event record N (0-based) has a wrong check byte",
         [](SimOptions& o, const std::string& text) {
             std::size_t n = 0;
             if (!number<std::size_t>(text, n, 0, SIZE_MAX))
                 return false;
             o.config.faults.logContent.badCheckRecord = n;
             return true;
         }},
        {"--bad-total", nullptr, "fault: the event log total is one too high",
         [](SimOptions& o, const std::string&) {
             o.config.faults.logContent.badTotal = true;
             return true;
         }},
        {"--hangup-after", "N", "fault: drop the line after N answer frames",
         [](SimOptions& o, const std::string& text) {
             std::uint32_t n = 0;
             if (!number<std::uint32_t>(text, n, 1, 0xFFFFFFFF))
                 return false;
             o.config.faults.hangupAfter = n;
             return true;
         }},
        {"--loader-mute", "MS",
         "fault: the loader takes a whole image, then neither starts it nor answers, and says\n"
         "      \"Ready\\r\\n\" again after MS",
         [](SimOptions& o, const std::string& text) {
             std::uint32_t ms = 0;
             if (!number<std::uint32_t>(text, ms, 1, 3600000))
                 return false;
             o.config.faults.loaderMute = msec(ms);
             return true;
         }},
        {"--ignore-stdin", nullptr, "keep serving when standard input closes",
         flag(&SimOptions::ignoreStdin, true)},
        {"--verbose", nullptr, "describe every request on standard error",
         flag(&SimOptions::verbose, true)},
    };
    return table;
}

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
