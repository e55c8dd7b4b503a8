#pragma once

#include "sim/device_records.h"

#include <optional>
#include <string>

namespace interlock::sim {

// The device's memory between runs: every record, the counters and the event log,
// in a small binary file of the simulator's own ("ISIM", version, records, count,
// 9 bytes per event).
bool saveState(const std::string& path, const DeviceRecords& records);
// Nothing when the file is missing; also nothing, with `error` set, when it is not
// a complete state file.
std::optional<DeviceRecords> loadState(const std::string& path, std::string& error);

} // namespace interlock::sim
