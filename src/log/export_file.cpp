#include "log/export_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace interlock {

namespace {
std::string reasonOf(int error) {
    return std::generic_category().message(error);
}
} // namespace

bool ExportFile::create(const std::filesystem::path& finalPath) {
    discard();
    final_ = finalPath;
    temporary_ = finalPath;
    temporary_ += ".part";
    error_.clear();
    // Tried once now, so that a name or folder that cannot take the file is known
    // before the read starts.
    std::FILE* probe = std::fopen(temporary_.string().c_str(), "wb");
    if (!probe) {
        error_ = reasonOf(errno);
        return false;
    }
    std::fclose(probe);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    open_ = true;
    return true;
}

void ExportFile::write(std::string_view text) {
    if (!open_)
        return;
    std::size_t from = 0;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', from)) {
        bytes_ += text.substr(from, at - from);
        bytes_ += "\r\n";
        from = at + 1;
    }
    bytes_ += text.substr(from);
}

bool ExportFile::writeTemporary() {
    std::FILE* file = std::fopen(temporary_.string().c_str(), "wb");
    if (!file) {
        error_ = reasonOf(errno);
        return false;
    }
    bool written = std::fwrite(bytes_.data(), 1, bytes_.size(), file) == bytes_.size() &&
                   std::fflush(file) == 0;
    if (!written)
        error_ = reasonOf(errno);
    if (std::fclose(file) != 0 && written) {
        error_ = reasonOf(errno);
        written = false;
    }
    return written;
}

bool ExportFile::commit() {
    if (!open_)
        return false;
    bool done = writeTemporary();
    std::error_code error;
    if (done) {
        std::filesystem::rename(temporary_, final_, error);
        if (error) {
            error_ = error.message();
            done = false;
        }
    }
    if (!done)
        std::filesystem::remove(temporary_, error);
    discard();
    return done;
}

void ExportFile::discard() {
    open_ = false;
    bytes_.clear();
    bytes_.shrink_to_fit();
}

} // namespace interlock
