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

// Whether the offered names are Windows COM names, opened by their number.
bool windowsPortNames();

} // namespace interlock
