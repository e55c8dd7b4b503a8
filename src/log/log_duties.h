#pragma once

namespace interlock {

class Program;

// Has the program's main timer run the log's duties: "Event Read Complete" after a
// read, and the watchdog that refreshes a running download and fails a stalled
// one (the program's downloadRefresh and downloadFailed). Every front end that
// reads the log calls it once; it opens no page.
void registerLogDuties(Program& program);

} // namespace interlock
