#pragma once

#include "app/program.h"
#include "recording_prompter.h"
#include "sim/sim_process.h"

#include <QTest>

#include <filesystem>
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

// A folder of its own for one test's export files, removed afterwards.
struct ScratchFolder {
    std::filesystem::path path;
    explicit ScratchFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::vector<std::filesystem::path> files() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            found.push_back(entry.path());
        return found;
    }
};

} // namespace interlock::testing
