#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace interlock {

// Replaces `target` with a file holding exactly `bytes`. They are written to a new
// file in the same folder, under a name no other file there has (so no file of the
// user's is ever taken for a temporary one), which is renamed over `target` once it
// was written whole. On any failure that file is removed, `target` is as it was, and
// the system's reason is returned. `ownerOnly` leaves the file to its owner alone.
// A FIFO, device or socket in the target's place is refused with its NotAFile code.
std::error_code replaceFile(const std::filesystem::path& target, std::string_view bytes,
                            bool ownerOnly = false);

// replaceFile for a file the user chose to write (a settings file, a report): a file
// of that name is replaced only when it is a regular file this user may write, so a
// read-only file stays as it is too, refused with the system's reason.
std::error_code replaceChosenFile(const std::filesystem::path& target, std::string_view bytes);

// Whether the folder of `target` takes a new file now: one is created there under a
// name of its own and removed again.
std::error_code canCreateBeside(const std::filesystem::path& target);

} // namespace interlock
