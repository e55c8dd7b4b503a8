#pragma once

#include "cli/command_line.h"
#include "cli/job_report.h"

namespace interlock::cli {

// settings --port PORT --save FILE.cfg: the reads the menu's SETTINGS button makes,
// then the settings file SETTINGS saves, from the records as read. Writes nothing to
// the interlock. Returns the exit status.
int runSettings(const CommandLine& line, JobReport& report);

} // namespace interlock::cli
