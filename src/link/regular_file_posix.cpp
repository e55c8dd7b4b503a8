// openRegularFile on POSIX systems: the type is looked at before the open, so a
// device is never opened, and again on the open descriptor, whose open cannot block.
#include "link/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace interlock {

namespace {

std::error_code notAFile(mode_t mode) {
    if (S_ISDIR(mode))
        return make_error_code(NotAFile::Folder);
    if (S_ISFIFO(mode))
        return make_error_code(NotAFile::Fifo);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return make_error_code(NotAFile::Device);
    if (S_ISSOCK(mode))
        return make_error_code(NotAFile::Socket);
    return make_error_code(NotAFile::Other);
}

} // namespace

RegularFile openRegularFile(const std::filesystem::path& path, FileAccess access,
                            std::error_code& error) {
    struct stat seen {};
    if (::stat(path.c_str(), &seen) != 0) {
        error = lastErrno();
        return {};
    }
    if (!S_ISREG(seen.st_mode)) {
        error = notAFile(seen.st_mode);
        return {};
    }
    const bool write = access == FileAccess::ReadWrite;
    // Without O_NONBLOCK a FIFO put in the file's place would hold the open until
    // someone writes to it.
    const int flags = (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        error = lastErrno();
        return {};
    }
    struct stat opened {};
    error.clear();
    if (::fstat(fd, &opened) != 0)
        error = lastErrno();
    else if (!S_ISREG(opened.st_mode)) // swapped for something else since it was looked at
        error = notAFile(opened.st_mode);
    else if (::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        error = lastErrno();
    if (error) {
        ::close(fd);
        return {};
    }
    std::FILE* file = ::fdopen(fd, write ? "rb+" : "rb");
    if (!file) {
        error = lastErrno();
        ::close(fd);
        return {};
    }
    return {OpenFile(file), static_cast<std::uint64_t>(opened.st_size)};
}

} // namespace interlock
