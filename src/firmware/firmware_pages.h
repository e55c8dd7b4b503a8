#pragma once

namespace interlock {

class Program;

// Gives the program its firmware pages: FIRMWARE UPDATE on both main menus, and the
// version notice, shown over whatever page is open when the interlock reports a
// firmware version this program does not know.
void registerFirmwarePages(Program& program);

} // namespace interlock
