#pragma once

#include "cli/command_line.h"
#include "cli/job_report.h"

namespace interlock::cli {

// info --port PORT: connects as PC Connect does and reads the firmware version as
// Main PART2 does on opening; prints the identity, product line, firmware and
// serial numbers. Returns the exit status.
int runInfo(const CommandLine& line, JobReport& report);

} // namespace interlock::cli
