#pragma once

#include "cli/command_line.h"
#include "cli/job_report.h"

namespace interlock::cli {

// download --port PORT --registration REG [--out DIR]: what DOWNLOAD's READ LOG does,
// after the reads the menu's DOWNLOAD button makes: the same requests, waits,
// checks, watchdog and export file. It never deletes the log. Prints the export
// file's path and the summary the log review shows. Returns the exit status.
int runDownload(const CommandLine& line, JobReport& report);

} // namespace interlock::cli
