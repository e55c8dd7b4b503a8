#pragma once

#include "app/program.h"
#include "calib/calibration_duties.h"
#include "log/log_duties.h"
#include "recording_prompter.h"
#include "scratch_folder.h"
#include "sim/sim_process.h"

#include <QTest>

#include <iostream>
#include <string>
#include <vector>

namespace interlock::testing {

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

// The program connected to interlock-sim over a pseudo-terminal, its timer running
// the log's and the calibration's duties. Its waits are real: a log read needs the
// options answered before the log streams.
struct ConnectedProgram {
    RecordingPrompter prompter;
    sim::SimProcess sim;
    Program program{prompter};

    bool start(const std::vector<std::string>& simArgs) {
        if (!linkToSimulator(sim, simArgs, program))
            return false;
        registerLogDuties(program);
        registerCalibrationDuties(program);
        program.startTimer();
        return true;
    }
};

} // namespace interlock::testing
