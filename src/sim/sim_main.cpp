// interlock-sim: a simulated breath-alcohol interlock on a pseudo-terminal.
#include "link/file_replace.h"
#include "sim/device_model.h"
#include "sim/event_log.h"
#include "sim/serial_port.h"
#include "sim/sim_options.h"
#include "sim/sim_server.h"
#include "sim/state_file.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>

using namespace interlock::sim;

namespace {
volatile std::sig_atomic_t stopRequested = 0;

void onStopSignal(int) {
    stopRequested = 1;
}

void appendToFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A file written whole appears only when complete, so a reader never sees half of it.
void replaceWith(const std::string& path, std::string_view bytes) {
    if (const std::error_code error = interlock::replaceFile(path, bytes))
        std::cerr << "interlock-sim: cannot write " << path << ": " << error.message() << "\n";
}

SimHooks makeHooks(const SimOptions& options, const DeviceModel* const& model) {
    SimHooks hooks;
    if (!options.stateFile.empty())
        hooks.recordsChanged = [path = options.stateFile](const DeviceRecords& records) {
            if (!saveState(path, records))
                std::cerr << "interlock-sim: cannot write " << path << "\n";
        };
    hooks.logServed = [&options, &model](std::span<const std::uint8_t> stream) {
        if (!options.servedLogFile.empty())
            appendToFile(options.servedLogFile, stream);
        if (!options.eventsOutFile.empty() && model)
            replaceWith(options.eventsOutFile, formatEvents(model->records().log));
    };
    if (!options.firmwareOutFile.empty())
        hooks.firmwareReceived =
            [path = options.firmwareOutFile](std::span<const std::uint8_t> image) {
                replaceWith(path, std::string_view(reinterpret_cast<const char*>(image.data()),
                                                   image.size()));
            };
    if (options.verbose)
        hooks.note = [](std::string_view line) { std::cerr << "interlock-sim: " << line << "\n"; };
    return hooks;
}
} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimOptions> options =
        parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "interlock-sim: " << error << "\n(--help lists the options)\n";
        return 2;
    }
    if (options->help) {
        std::cout << helpText();
        return 0;
    }
    std::optional<SimConfig> config = buildConfig(*options, systemUtcNow(), error);
    if (!config) {
        std::cerr << "interlock-sim: " << error << "\n";
        return 2;
    }
    if (!options->stateFile.empty() && !saveState(options->stateFile, config->records)) {
        std::cerr << "interlock-sim: cannot write " << options->stateFile << "\n";
        return 2;
    }

    SerialPort port;
    const bool opened = options->devicePath.empty() ? port.openPseudoTerminal(error)
                                                    : port.openDevice(options->devicePath, error);
    if (!opened) {
        std::cerr << "interlock-sim: " << error << "\n";
        return 1;
    }

    const double lineRate = config->bytesPerSecond;
    const DeviceModel* observed = nullptr;
    DeviceModel model(std::move(*config), makeHooks(*options, observed));
    observed = &model;

    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::cout << port.path() << std::endl;

    const ServeEnd end = serve(model, port.fd(), !options->ignoreStdin, stopRequested, lineRate);
    if (end == ServeEnd::LineError)
        std::cerr << "interlock-sim: the line failed\n";
    if (options->verbose && end == ServeEnd::HungUp)
        std::cerr << "interlock-sim: hung up\n";
    return end == ServeEnd::LineError ? 1 : 0;
}
