#pragma once

#include "link/c_file.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>
#include <type_traits>
#include <vector>

namespace interlock {

// What a path the program was to read holds instead of a file. A FIFO, a device, a
// folder or a socket is never opened for reading: opening or reading one may wait
// for another program, or change the device's state.
enum class NotAFile { Folder = 1, Fifo, Device, Socket, Other };

// Its messages read "it is a folder, not a file" and the like.
const std::error_category& notAFileCategory();
std::error_code make_error_code(NotAFile kind);
// The NotAFile code of what is not a regular file.
std::error_code notAFileError(std::filesystem::file_type type);

enum class FileAccess { Read, ReadWrite };

// A regular file opened in binary mode, with its size at opening.
struct RegularFile {
    OpenFile file;
    std::uint64_t size = 0;
};

// Opens `path` only if it is a regular file, without ever waiting: anything else is
// refused with a NotAFile code before it could block, and a path swapped for one
// while it opens is refused too. Other failures carry the system's code.
RegularFile openRegularFile(const std::filesystem::path& path, FileAccess access,
                            std::error_code& error);

// A regular file read whole into memory.
struct WholeFile {
    std::vector<std::uint8_t> bytes;
    // The bytes read; when refused as too large, the size the file has (at least).
    std::uint64_t size = 0;
    std::error_code error;
};

// Reads the file at `path` whole, so that what the program works on is one version
// of it however the file changes afterwards. A file larger than `maxBytes` is refused
// with std::errc::file_too_large, without reading more than that.
WholeFile readWholeFile(const std::filesystem::path& path,
                        std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max());

} // namespace interlock

template <> struct std::is_error_code_enum<interlock::NotAFile> : std::true_type {};
