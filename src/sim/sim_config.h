#pragma once

#include "sim/calibration_run.h"
#include "sim/device_records.h"
#include "sim/log_stream.h"
#include "sim/sim_time.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace interlock::sim {

// The line rate of 115200 baud 8N1: ten bit times per byte.
inline constexpr double kLineBytesPerSecond = 11520;

// The Nth answer (from 1) carrying response code `code`.
struct AnswerPick {
    std::uint8_t code = 0;
    std::uint32_t nth = 1;
};

// Faults the device can be told to commit, each off unless set.
struct SimFaults {
    std::optional<std::uint64_t> dropByte;    // 0-based index among all bytes sent
    std::optional<std::uint64_t> corruptByte; // that byte goes out inverted
    std::optional<AnswerPick> badCrc;         // the answer's CRC low byte is inverted
    std::optional<AnswerPick> garbageBefore;  // stray bytes precede the answer
    std::optional<AnswerPick> partialBefore;  // a frame start that never completes precedes it
    std::optional<AnswerPick> shortAnswer;    // the answer carries one payload byte only
    std::optional<AnswerPick> calValueAfter;  // a calibration value nobody asked for follows it
    std::optional<std::size_t> stallLogAfter; // event section stops after this many bytes
    SimTime stallFor{};                       // then resumes after this long; 0: never
    std::optional<std::uint32_t> hangupAfter; // the line is dropped after this many frames
    std::optional<SimTime> loaderMute;        // a whole image is met with silence this long
    std::optional<AnswerPick> refuseRequest;  // the Nth request with this code gets a NACK
    LogContentFaults logContent;
    std::optional<std::uint64_t> stallHeaderAfter; // header section stops after this many bytes
};

// How the device behaves, beyond what it stores.
struct SimConfig {
    DeviceRecords records = defaultRecords();
    CivilTime clockStart{2026, 12, 6, 9, 0, 0}; // device clock (UTC) at time 0
    double bytesPerSecond = 0;                  // output pacing; 0: as fast as it goes
    SimTime latency = msec(2);                  // from a request to its answer
    bool answerAck = true;                      // ACK every accepted write
    bool identityAlt = false;                   // answer TE_ID with 0xBB instead of 0x60
    HeaderMode header = HeaderMode::Full;
    bool erasedLog = false; // the event section is an erased length (ffffffff) alone
    CalOutcome calOutcome = CalOutcome::Pass;
    SimTime calStep = msec(1500);       // between two calibration reports
    std::uint16_t newFirmware = 0x0404; // version after a good firmware load
    bool splitReady = false;            // "Ready\r\n" in two writes
    bool loaderWaiting = false;         // starts in a loader that repeats "Ready\r\n"
    SimFaults faults;
};

// Where the device tells its surroundings what it did; each may be left empty.
struct SimHooks {
    std::function<void(std::span<const std::uint8_t>)> logServed; // each log section
    std::function<void(const DeviceRecords&)> recordsChanged;
    std::function<void(std::span<const std::uint8_t>)> firmwareReceived;
    std::function<void(std::string_view)> note; // one line about each request
};

} // namespace interlock::sim
