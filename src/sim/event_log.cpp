#include "sim/event_log.h"

#include "sim/sim_time.h"

#include <cstdio>
#include <random>
#include <sstream>

namespace interlock::sim {

namespace {

// Event codes used by the generator.
namespace code {
constexpr std::uint8_t TestPassed = 0x10;
constexpr std::uint8_t TestFailed = 0x12;
constexpr std::uint8_t Handset = 0x19;
constexpr std::uint8_t RetestPassed = 0x1A;
constexpr std::uint8_t RetestFailed = 0x1C;
constexpr std::uint8_t InvalidSample = 0x20;
constexpr std::uint8_t PowerOn = 0x27;
constexpr std::uint8_t LowBattery = 0x28;
constexpr std::uint8_t Ignition = 0x29;
constexpr std::uint8_t PowerOff = 0x2D;
constexpr std::uint8_t EngineStop = 0x2F;
constexpr std::uint8_t EngineRun = 0x30;
constexpr std::uint8_t Relay = 0x31;
constexpr std::uint8_t MovementBegins = 0x32;
constexpr std::uint8_t MovementEnds = 0x33;
constexpr std::uint8_t DeviceError = 0x45;
constexpr std::uint8_t Bypass = 0x55;
constexpr std::uint8_t RetestMissing = 0x6C;
constexpr std::uint8_t EngineWithoutTest = 0x7A;
constexpr std::uint8_t MoveWithoutTest = 0x7B;
constexpr std::uint8_t ServiceReminder = 0x84;
constexpr std::uint8_t BreathCalibration = 0x99;
constexpr std::uint8_t OverrideUnlock = 0xA0;
constexpr std::uint8_t OverrideStop = 0xA1;
constexpr std::uint8_t CalibrationResult = 0xA9;
constexpr std::uint8_t Unknown = 0x3E;
} // namespace code

// Breath values (thousandths of g/L) a failed test or retest shows: above the blocking
// limit of the default settings (alarm_density 20, 0.20 mg/L, that is 400).
constexpr int kLeastFailedValue = 410;

class Generator {
  public:
    Generator(std::uint32_t seed, std::uint8_t partType, const CivilTime& start)
        : random_(seed), part1_(partType == 1), now_(start) {}

    std::vector<LogEvent> run(std::size_t count) {
        while (events_.size() < count)
            drive();
        events_.resize(count);
        return std::move(events_);
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    void add(std::uint8_t eventCode, std::uint16_t value, int afterSeconds) {
        now_ = addSeconds(now_, afterSeconds);
        events_.push_back(makeEvent(now_, eventCode, value));
    }
    void addParam(std::uint8_t eventCode, std::uint8_t param, int afterSeconds) {
        add(eventCode, static_cast<std::uint16_t>(param << 8), afterSeconds);
    }

    // One trip: power up, breath test until passed, drive with retests, park.
    void drive() {
        now_ = addSeconds(now_, pick(2 * 3600, 20 * 3600));
        addParam(code::PowerOn, static_cast<std::uint8_t>(pick(2, 9)), 0);
        if (part1_)
            addParam(code::Ignition, 1, pick(1, 5));
        if (chance(5)) {
            events_.push_back(emptySlot());
            return;
        }
        while (chance(25)) {
            if (chance(30))
                addParam(code::InvalidSample, static_cast<std::uint8_t>(pick(1, 6)), pick(20, 60));
            else
                add(code::TestFailed, static_cast<std::uint16_t>(pick(kLeastFailedValue, 1200)),
                    pick(20, 90));
        }
        add(code::TestPassed, static_cast<std::uint16_t>(pick(0, 190)), pick(20, 90));
        addParam(code::Relay, 1, 1);
        add(code::EngineRun, 0, pick(2, 30));
        add(code::MovementBegins, 0, pick(10, 120));
        oddities();
        const int retests = pick(0, 2);
        for (int i = 0; i < retests; ++i) {
            if (chance(10))
                add(code::RetestMissing, 0, pick(300, 900));
            else if (chance(10))
                add(code::RetestFailed, static_cast<std::uint16_t>(pick(kLeastFailedValue, 900)),
                    pick(300, 900));
            else
                add(code::RetestPassed, static_cast<std::uint16_t>(pick(0, 190)), pick(300, 900));
        }
        if (part1_) {
            add(code::MovementEnds, 0, pick(300, 3600));
            add(code::EngineStop, 0, pick(5, 60));
            addParam(code::Ignition, 0, pick(1, 5));
        }
        addParam(code::Relay, 0, pick(300, 3600));
        add(code::PowerOff, 0, pick(5, 60));
    }

    void oddities() {
        if (chance(5))
            addParam(code::Handset, 0, pick(30, 300)), addParam(code::Handset, 1, pick(5, 60));
        if (chance(3))
            add(code::Bypass, 0, pick(30, 300));
        if (chance(3))
            add(part1_ ? code::EngineWithoutTest : code::MoveWithoutTest, 0, pick(30, 300));
        if (chance(3))
            add(code::OverrideUnlock, 0, pick(30, 300)), add(code::OverrideStop, 0, 3600);
        if (chance(3))
            add(code::BreathCalibration, static_cast<std::uint16_t>(pick(430, 570)), pick(30, 300));
        if (chance(3))
            add(code::Unknown, 0, pick(30, 300));
        if (part1_ && chance(4)) {
            const std::uint8_t extra[] = {code::LowBattery, code::DeviceError,
                                          code::ServiceReminder, code::CalibrationResult};
            const std::uint8_t eventCode = extra[pick(0, 3)];
            if (eventCode == code::CalibrationResult)
                add(eventCode, static_cast<std::uint16_t>(pick(450, 550)), pick(30, 300));
            else
                addParam(eventCode, static_cast<std::uint8_t>(1 << pick(0, 4)), pick(30, 300));
        }
    }

    std::mt19937 random_;
    bool part1_;
    CivilTime now_;
    std::vector<LogEvent> events_;
};

} // namespace

LogEvent makeEvent(const CivilTime& t, std::uint8_t eventCode, std::uint16_t value) {
    return {static_cast<std::uint8_t>(t.year - 2000),
            static_cast<std::uint8_t>(t.month),
            static_cast<std::uint8_t>(t.day),
            static_cast<std::uint8_t>(t.hour),
            static_cast<std::uint8_t>(t.minute),
            static_cast<std::uint8_t>(t.second),
            eventCode,
            static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value & 0xFF)};
}

LogEvent emptySlot() {
    LogEvent slot;
    slot.fill(0xFF);
    return slot;
}

std::vector<LogEvent> generateEvents(std::uint32_t seed, std::size_t count, std::uint8_t partType,
                                     const CivilTime& start) {
    return Generator(seed, partType, start).run(count);
}

std::string formatEvents(const std::vector<LogEvent>& events) {
    std::string text;
    char line[64];
    for (const LogEvent& e : events) {
        if (e == emptySlot()) {
            text += "empty\n";
            continue;
        }
        std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d 0x%02X %u\n", 2000 + e[0],
                      e[1], e[2], e[3], e[4], e[5], e[6], unsigned(e[7] << 8 | e[8]));
        text += line;
    }
    return text;
}

std::optional<std::vector<LogEvent>> parseEvents(std::string_view text, std::string& error) {
    std::vector<LogEvent> events;
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        if (line.rfind("empty", 0) == 0) {
            events.push_back(emptySlot());
            continue;
        }
        CivilTime t;
        int eventCode = -1;
        int value = -1;
        const int got = std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d %i %i", &t.year, &t.month,
                                    &t.day, &t.hour, &t.minute, &t.second, &eventCode, &value);
        const bool inRange = t.year >= 2000 && t.year <= 2255 && t.month >= 1 && t.month <= 12 &&
                             t.day >= 1 && t.day <= 31 && t.hour <= 23 && t.minute <= 59 &&
                             t.hour >= 0 && t.minute >= 0 && t.second >= 0 && t.second <= 59 &&
                             eventCode >= 0 && eventCode <= 0xFF && value >= 0 && value <= 0xFFFF;
        if (got != 8 || !inRange) {
            error = "log file line " + std::to_string(number) + " is not an event: " + line;
            return std::nullopt;
        }
        events.push_back(
            makeEvent(t, static_cast<std::uint8_t>(eventCode), static_cast<std::uint16_t>(value)));
    }
    return events;
}

} // namespace interlock::sim
