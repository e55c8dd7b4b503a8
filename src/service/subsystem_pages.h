#pragma once

#include <filesystem>

namespace interlock {

class Program;

// Registers every subsystem's pages with the program: the menus' pages and what
// answers the program's signals. Export files go to `exportFolder` (empty: the
// current working folder).
void registerSubsystemPages(Program& program, const std::filesystem::path& exportFolder = {});

} // namespace interlock
