#pragma once

#include <filesystem>
#include <string>

namespace interlock {

// The user file under a configuration folder ($XDG_CONFIG_HOME, by default
// ~/.config): interlock-service/user.txt.
std::filesystem::path userFileUnder(const std::filesystem::path& configHome);

// Where earlier versions kept it, in a folder named after the Windows framework's
// application wizard.
std::filesystem::path earlierUserFileUnder(const std::filesystem::path& configHome);

// The user file to use under `configHome`. Creates its folder; when the file is
// missing and the earlier one exists, copies the earlier one over (through a
// temporary file, so a failed copy leaves nothing half written) and traces it. When
// the accounts cannot be brought over, the earlier file is used where it is.
std::filesystem::path placeUserFile(const std::filesystem::path& configHome);

// A user file for the demo, apart from the technician's: it holds the one account
// demo / demo and lives in `folder`. `failure` names the file and the reason when it
// could not be written; empty otherwise.
struct DemoUserFile {
    std::filesystem::path path;
    std::string failure;
};
DemoUserFile writeDemoUserFile(const std::filesystem::path& folder);

} // namespace interlock
