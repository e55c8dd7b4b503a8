#pragma once

#include <filesystem>

namespace interlock {

// The technician's user file: c:/user.txt on Windows; elsewhere
// interlock-service/user.txt in the user's config folder (placeUserFile).
std::filesystem::path userFilePath();

} // namespace interlock
