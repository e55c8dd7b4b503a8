#pragma once

#include "app/program.h"
#include "recording_prompter.h"
#include "scratch_folder.h"
#include "sim/sim_process.h"

#include <QTest>

#include <string>
#include <vector>

namespace interlock::testing {

// The program connected to interlock-sim over a pseudo-terminal, its timer running.
// Its waits are real: a log read needs the options answered before the log streams.
struct ConnectedProgram {
    RecordingPrompter prompter;
    sim::SimProcess sim;
    Program program{prompter};

    bool start(const std::vector<std::string>& simArgs) {
        std::string detail;
        if (!sim.start(simArgs) || !program.openChannel(sim.portPath(), detail))
            return false;
        program.state().link.setChannel(&program.channel());
        program.startTimer();
        return true;
    }
};

} // namespace interlock::testing
