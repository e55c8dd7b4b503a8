#pragma once

namespace interlock {

class Program;

// Registers every subsystem's duties with the program: what its main timer runs
// and what follows the interlock's reports. Apart from the pages, so a front end
// without pages registers the same duties.
void registerSubsystemDuties(Program& program);

} // namespace interlock
