#pragma once

namespace interlock {

class Program;

// Gives both main menus their SETTINGS page.
void registerSettingsPages(Program& program);

} // namespace interlock
