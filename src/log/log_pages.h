#pragma once

#include <filesystem>

namespace interlock {

class Program;

// Where export files go unless told otherwise: "Interlock Logs" in the user's
// documents folder, which a technician finds again (a program started from a menu
// often runs in a folder nobody looks at, or may not write to).
std::filesystem::path defaultExportFolder();

// Gives the menus their log pages: DOWNLOAD of PART 2 and DELETE RECORD of PART 1.
void registerLogPages(Program& program, std::filesystem::path exportFolder = defaultExportFolder());

} // namespace interlock
