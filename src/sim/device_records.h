#pragma once

#include "link/records.h"

#include <array>
#include <cstdint>
#include <vector>

namespace interlock::sim {

// One event as the device stores it: year - 2000, month, day, hour, minute, second,
// code, value high (the parameter byte), value low. The wire records are built from it.
using LogEvent = std::array<std::uint8_t, 9>;

// Everything the simulated interlock keeps across a reboot (and in its state file).
struct DeviceRecords {
    IdentityRecord identity;
    Te_Option_t option;
    Te_Config_Data_t config;
    Te_Service_t service;
    Te_G_Sensor_t gSensor;
    InfoRecord info;
    // Retest_Refuse, Retest_Fail, Starter_Test_Fail, StartWithoutApproved, NoPower.
    std::array<std::uint8_t, 5> counters{};
    std::vector<LogEvent> log;

    std::uint32_t firmwareVersion() const { return info.version(); }
    bool operator==(const DeviceRecords&) const = default;
};

// A PART 2 control unit with firmware 4.4, plausible settings and an empty log.
DeviceRecords defaultRecords();

// The whole record as a read answers it: always 66 bytes, whichever unit answers; a
// handset's G-sensor part means nothing and the program drops it.
std::vector<std::uint8_t> wholeRecordImage(const DeviceRecords& records);
// Stores a whole-record write: 66 bytes to a control unit, 61 (no G-sensor part) to
// any other unit; false when the length does not fit the unit.
bool storeWholeRecord(DeviceRecords& records, std::span<const std::uint8_t> payload);

} // namespace interlock::sim
