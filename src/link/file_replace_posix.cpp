#include "link/file_replace_platform.h"

#include "link/c_file.h"

namespace interlock {

std::FILE* createNew(const std::filesystem::path& path, std::error_code& error) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file)
        error.clear();
    else
        error = lastErrno();
    return file;
}

std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

} // namespace interlock
