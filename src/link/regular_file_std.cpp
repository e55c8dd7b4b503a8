// openRegularFile where there are no POSIX calls (Windows): the type is looked at
// before the file is opened with the C library.
#include "link/regular_file.h"

namespace interlock {

namespace fs = std::filesystem;

RegularFile openRegularFile(const fs::path& path, FileAccess access, std::error_code& error) {
    const fs::file_status status = fs::status(path, error);
    if (error)
        return {};
    if (!fs::is_regular_file(status)) {
        error = notAFileError(status.type());
        return {};
    }
    errno = 0;
    OpenFile file(std::fopen(path.string().c_str(), access == FileAccess::Read ? "rb" : "rb+"));
    if (!file) {
        error = lastErrno();
        return {};
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return {};
    return {std::move(file), size};
}

} // namespace interlock
