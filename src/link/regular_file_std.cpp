// openRegularFile where there are no POSIX calls (Windows): the type is looked at
// before the file is opened with the C library.
#include "link/regular_file.h"

namespace interlock {

namespace fs = std::filesystem;

namespace {

std::error_code notAFile(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory:
        return make_error_code(NotAFile::Folder);
    case fs::file_type::fifo:
        return make_error_code(NotAFile::Fifo);
    case fs::file_type::character:
    case fs::file_type::block:
        return make_error_code(NotAFile::Device);
    case fs::file_type::socket:
        return make_error_code(NotAFile::Socket);
    default:
        return make_error_code(NotAFile::Other);
    }
}

} // namespace

RegularFile openRegularFile(const fs::path& path, FileAccess access, std::error_code& error) {
    const fs::file_status status = fs::status(path, error);
    if (error)
        return {};
    if (!fs::is_regular_file(status)) {
        error = notAFile(status.type());
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
