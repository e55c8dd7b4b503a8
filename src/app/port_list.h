#pragma once

#include <string>
#include <vector>

namespace interlock {

// The serial ports to offer: the system's own, plus the device paths given on the
// command line (pseudo-terminals are not enumerated by the system). On Windows the
// entries are COM names, elsewhere device paths.
std::vector<std::string> availablePorts(const std::vector<std::string>& extraPaths);

} // namespace interlock
