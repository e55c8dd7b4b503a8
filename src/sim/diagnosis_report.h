#pragma once

#include "link/civil_time.h"
#include "sim/device_records.h"

#include <cstdint>

namespace interlock::sim {

// Switches of the diagnosis control request that the device remembers.
struct DiagnosisSwitches {
    std::uint8_t sound = 0;
    std::uint8_t relay = 0;
};

// A diagnosis report: unit, control unit supply (raw, volts x 5), clock in UTC,
// G-sensor reading, the two switches (bytes 11 and 12), handset supply (raw, volts
// x 285) and the five counters. `sequence` numbers the reports so that the supplies
// and the G-sensor move a little from one report to the next.
DiagnosisRecord diagnosisReport(const DeviceRecords& records, const CivilTime& clock,
                                const DiagnosisSwitches& switches, std::uint32_t sequence);

} // namespace interlock::sim
