#pragma once

#include <string>
#include <vector>

namespace interlock {

struct OfferedPort {
    std::string name;  // what the connect procedure opens
    std::string label; // what the list shows (portLabel)
};

// The serial ports to offer: the system's own, plus the device paths given on the
// command line (pseudo-terminals are not enumerated by the system). On Windows the
// names are COM names, elsewhere device paths.
std::vector<OfferedPort> availablePorts(const std::vector<std::string>& extraPaths);

// The serial ports the system knows, with their descriptions (port_list_linux.cpp,
// port_list_win.cpp).
std::vector<OfferedPort> systemPorts();

// Whether port names are Windows COM names, opened by their number (COM12 opens
// port 12), rather than device paths.
bool comPortNames();

} // namespace interlock
