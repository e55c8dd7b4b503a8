#pragma once

#include "cli/command_line.h"
#include "cli/interlock_session.h"

namespace interlock::cli {

enum class Part2Only { No, Yes };

// What every job that talks to an interlock does first, in the technician's order:
// log in as the login window does (no port is opened for a refused user), connect
// as PC Connect does, and open Main PART2. With Part2Only::Yes an interlock of
// another product line goes no further, as it would reach no menu.
JobFailure startJob(const CommandLine& line, InterlockSession& session, Part2Only part2Only);

} // namespace interlock::cli
