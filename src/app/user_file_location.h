#pragma once

#include <filesystem>

namespace interlock {

// The technician's user file: c:/user.txt on Windows; elsewhere
// interlock-service/user.txt in the user's config folder (placeUserFile).
std::filesystem::path userFilePath();

// A user file for the demo, apart from the technician's: it holds the one account
// demo / demo and lives in `folder`.
std::filesystem::path writeDemoUserFile(const std::filesystem::path& folder);

} // namespace interlock
