#pragma once

#include "sim/sim_config.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace interlock::sim {

// Everything the command line of interlock-sim can say.
struct SimOptions {
    SimConfig config;
    bool pacing = true;
    std::optional<CivilTime> clock; // default: the PC's clock in UTC

    // Changes to the stored records, applied on top of the state file.
    std::vector<std::function<void(DeviceRecords&)>> recordEdits;
    std::optional<std::size_t> logCount;
    std::uint32_t logSeed = 1;
    std::optional<std::uint8_t> logLine;
    std::string logFile;

    std::string devicePath; // empty: a new pseudo-terminal
    std::string stateFile;
    std::string servedLogFile;
    std::string eventsOutFile;
    std::string firmwareOutFile;
    bool ignoreStdin = false;
    bool verbose = false;
    bool help = false;
};

// Reads the arguments (without the program name). Nothing, with `error` set, when
// an option is unknown or its value cannot be used.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error);
std::string helpText();

// Builds the device: defaults, then the state file, then the options on top. The
// log comes from --log-file, else a generated one (--log-count, or 40 events when
// there is no state file), else the state file.
std::optional<SimConfig> buildConfig(const SimOptions& options, const CivilTime& pcUtc,
                                     std::string& error);

} // namespace interlock::sim
