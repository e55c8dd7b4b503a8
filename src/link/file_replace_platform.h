#pragma once

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace interlock {

// The platform's steps of replaceFile (file_replace_posix.cpp, file_replace_win.cpp).

// Creates `path` for writing in binary, failing with file_exists rather than opening
// a file that is there already. Null, with `error` set, on failure.
std::FILE* createNew(const std::filesystem::path& path, std::error_code& error);

// Puts `from` in the place of `to` in one step, replacing it.
std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace interlock
