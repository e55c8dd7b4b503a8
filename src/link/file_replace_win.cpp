// Replacing a file on Windows: the new file is moved over the old one with
// MoveFileExW, and a target another program holds open is named as such.
#include "link/file_replace_platform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <string>

namespace interlock {

namespace {

// Windows errors a technician can act on, in words; the rest keep the system's text.
class FileInUseCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "file in use"; }
    std::string message(int) const override {
        return "the file is open in another program; close it there and try again";
    }
};

std::error_code windowsFileError(DWORD error) {
    static const FileInUseCategory inUse;
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return {static_cast<int>(error), inUse};
    default:
        return {static_cast<int>(error), std::system_category()};
    }
}

// Windows refuses to replace a file with one answer, no access, whether the target is
// a folder, open in another program or barred to this user. A file open
// elsewhere cannot be opened again without sharing; any other can.
std::error_code whyNotReplaced(const std::filesystem::path& target) {
    if (std::filesystem::is_directory(target))
        return std::make_error_code(std::errc::is_a_directory);
    HANDLE probe = CreateFileW(target.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD why = probe == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_ACCESS_DENIED;
    if (probe != INVALID_HANDLE_VALUE)
        CloseHandle(probe);
    return windowsFileError(why == ERROR_SHARING_VIOLATION ? why : ERROR_ACCESS_DENIED);
}

} // namespace

std::FILE* createNew(const std::filesystem::path& path, std::error_code& error) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = windowsFileError(GetLastError());
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (!file) {
        error = std::make_error_code(std::errc::too_many_files_open);
        if (fd >= 0)
            _close(fd);
        else
            CloseHandle(handle);
        DeleteFileW(path.c_str());
        return nullptr;
    }
    error.clear();
    return file;
}

std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Windows refuses to replace a read-only file and Wine does not: refused here on both.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::make_error_code(std::errc::permission_denied);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED ? whyNotReplaced(to) : windowsFileError(error);
}

} // namespace interlock
