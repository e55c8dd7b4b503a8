#include "link/regular_file.h"

#include <string>

namespace interlock {

namespace {

// How much one read adds to a file read whole.
constexpr std::size_t kReadChunk = 64 * 1024;

class NotAFileCategory final : public std::error_category {
  public:
    const char* name() const noexcept override { return "not a file"; }
    std::string message(int kind) const override {
        switch (static_cast<NotAFile>(kind)) {
        case NotAFile::Folder:
            return "it is a folder, not a file";
        case NotAFile::Fifo:
            return "it is a FIFO (named pipe), not a file";
        case NotAFile::Device:
            return "it is a device, not a file";
        case NotAFile::Socket:
            return "it is a socket, not a file";
        case NotAFile::Other:
            break;
        }
        return "it is not a regular file";
    }
};

} // namespace

const std::error_category& notAFileCategory() {
    static const NotAFileCategory category;
    return category;
}

std::error_code make_error_code(NotAFile kind) {
    return {static_cast<int>(kind), notAFileCategory()};
}

std::error_code notAFileError(std::filesystem::file_type type) {
    switch (type) {
    case std::filesystem::file_type::directory:
        return make_error_code(NotAFile::Folder);
    case std::filesystem::file_type::fifo:
        return make_error_code(NotAFile::Fifo);
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return make_error_code(NotAFile::Device);
    case std::filesystem::file_type::socket:
        return make_error_code(NotAFile::Socket);
    default:
        return make_error_code(NotAFile::Other);
    }
}

WholeFile readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    WholeFile whole;
    RegularFile opened = openRegularFile(path, FileAccess::Read, whole.error);
    if (!opened.file)
        return whole;
    if (opened.size > maxBytes) {
        whole.size = opened.size;
        whole.error = make_error_code(std::errc::file_too_large);
        return whole;
    }
    // The size at opening is only a first guess: the file is read to its end.
    whole.bytes.reserve(static_cast<std::size_t>(opened.size));
    for (;;) {
        const std::size_t at = whole.bytes.size();
        const std::uint64_t room = maxBytes - at;
        // One byte past the limit tells a file that grew beyond it.
        const std::size_t want =
            room >= kReadChunk ? kReadChunk : static_cast<std::size_t>(room + 1);
        whole.bytes.resize(at + want);
        errno = 0;
        const std::size_t got = std::fread(whole.bytes.data() + at, 1, want, opened.file.get());
        whole.bytes.resize(at + got);
        if (std::ferror(opened.file.get())) {
            whole.error = lastErrno();
            whole.bytes.clear();
            return whole;
        }
        if (whole.bytes.size() > maxBytes) {
            whole.size = whole.bytes.size();
            whole.bytes.clear();
            whole.error = make_error_code(std::errc::file_too_large);
            return whole;
        }
        if (got < want)
            break;
    }
    whole.size = whole.bytes.size();
    return whole;
}

} // namespace interlock
