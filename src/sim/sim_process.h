#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace interlock::sim {

// Runs interlock-sim as a child process for a test:
//
//   SimProcess sim;
//   ASSERT_TRUE(sim.start({"--no-pacing", "--part", "0"})) << sim.error();
//   open(sim.portPath().c_str(), ...);   // the pseudo-terminal it serves
//   sim.stop();                          // or let the destructor do it
//
// The child's standard input is a pipe held here; closing it is the child's signal
// to stop, so it ends even when the test dies.
class SimProcess {
  public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    // Where the build put interlock-sim (set by CMake for either platform's helper).
    static std::string defaultExecutable() { return INTERLOCK_SIM_EXECUTABLE; }

    // Starts the executable with `args` and reads the port path from its first line,
    // waiting at most `timeoutMs`. False, with error() set, when it does not come up.
    bool start(const std::vector<std::string>& args,
               const std::string& executable = defaultExecutable(), int timeoutMs = 5000);
    // Asks the child to stop and waits for it; returns its exit status (-1 if none).
    int stop();
    bool running() const { return pid_ > 0; }

    const std::string& portPath() const { return portPath_; }
    const std::string& error() const { return error_; }

  private:
    bool readFirstLine(int timeoutMs);

    pid_t pid_ = -1;
    int stdinFd_ = -1;
    int stdoutFd_ = -1;
    // Under Wine, where a Linux child gets no pipes: the file its output goes to.
    std::string outputFile_;
    std::string portPath_;
    std::string error_;
};

} // namespace interlock::sim
