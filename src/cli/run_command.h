#pragma once

#include "cli/command_line.h"

namespace interlock::cli {

// Runs what needs no window: a job (info, download, settings, ports), --help,
// --version, or the report of a line that is not understood. Needs a
// QCoreApplication; returns the exit status.
int runWithoutWindows(const CommandLine& line);

// Says on standard error why the line is not understood; returns the usage status.
int usageFailure(const QString& error);

} // namespace interlock::cli
