#pragma once

#include "link/program_state.h"
#include "sim/device_records.h"

namespace interlock::testing {

// The program state takes the simulated interlock's own records, as the menus read
// them before a page opens. Every page's checks pass them.
inline void holdSimulatorRecords(ProgramState& state) {
    const sim::DeviceRecords records = sim::defaultRecords();
    state.identity = records.identity;
    state.option = records.option;
    state.config = records.config;
    state.service = records.service;
    state.gSensor = records.gSensor;
}

} // namespace interlock::testing
