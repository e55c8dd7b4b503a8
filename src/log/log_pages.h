#pragma once

#include <filesystem>

namespace interlock {

class Program;

// Gives the menus their log pages: DOWNLOAD of PART 2 and DELETE RECORD of PART 1.
// Export files go to `exportFolder`; empty means the current working folder.
void registerLogPages(Program& program, std::filesystem::path exportFolder = {});

} // namespace interlock
