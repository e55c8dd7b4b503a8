#pragma once

#include "cli/command_line.h"

namespace interlock::cli {

// ports: the serial ports PC Connect would list, in its order, each with its
// description. Talks to no interlock. Returns the exit status.
int runPorts(const CommandLine& line);

} // namespace interlock::cli
