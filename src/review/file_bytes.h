#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace interlock::review {

// The whole content of a file; nothing, with `error` saying why, when it cannot
// be read or is far larger than any export file.
std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::string& error);

} // namespace interlock::review
