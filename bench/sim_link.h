#pragma once

#include "app/program.h"
#include "sim/sim_process.h"

#include <iostream>
#include <string>
#include <vector>

namespace interlock {

// Starts interlock-sim with `simArgs` and connects `program` to it; says on stderr
// what failed.
inline bool linkToSimulator(sim::SimProcess& sim, const std::vector<std::string>& simArgs,
                            Program& program) {
    if (!sim.start(simArgs)) {
        std::cerr << "interlock-sim: " << sim.error() << '\n';
        return false;
    }
    std::string detail;
    if (!program.openChannel(sim.portPath(), detail)) {
        std::cerr << sim.portPath() << ": " << detail << '\n';
        return false;
    }
    program.state().link.setChannel(&program.channel());
    return true;
}

} // namespace interlock
