#pragma once

#include "link/program_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace interlock {

// The settings file: 25 bytes of interlock settings taken from the option,
// configuration and service records; no header, no checksum, 16-bit values
// little-endian. lock_out and Sensitivity are not part of it.
inline constexpr std::size_t kSettingsFileSize = 25;
using SettingsFileBytes = std::array<std::uint8_t, kSettingsFileSize>;

SettingsFileBytes settingsFileBytes(const ProgramState& state);
// Stores the fields `bytes` covers whole, in file order, into the records; a field
// cut off by the end of a short file keeps its value, bytes past 25 are ignored.
void applySettingsFile(std::span<const std::uint8_t> bytes, ProgramState& state);

// The name a save goes to: the chosen one with ".cfg" appended unless it already
// ends in exactly ".cfg".
std::filesystem::path settingsFilePath(std::string_view chosen);

// A file operation's result; `report` is the system's account of a failure.
// `note` is what the page says though nothing failed.
struct FileOutcome {
    bool ok = true;
    std::string report{};
    std::string note{};
};

// Writes `bytes` beside `path` under a temporary name and renames them over `path`
// only when every byte is written, so a failed save never damages an existing
// file. A file at `path` that may not be written is left alone and reported.
FileOutcome saveSettingsFile(const std::filesystem::path& path, const SettingsFileBytes& bytes);
// Reads at most 25 bytes; the records change only when the read succeeded. What is
// no regular file (a FIFO, a device, a folder) is refused unopened; an empty file
// changes nothing and the note says it holds no settings.
FileOutcome loadSettingsFile(const std::filesystem::path& path, ProgramState& state);

} // namespace interlock
