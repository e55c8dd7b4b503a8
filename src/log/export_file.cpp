#include "log/export_file.h"

#include <string>
#include <system_error>

namespace interlock {

ExportFile::~ExportFile() {
    discard();
}

bool ExportFile::create(const std::filesystem::path& finalPath) {
    discard();
    final_ = finalPath;
    temporary_ = finalPath;
    temporary_ += ".part";
    file_ = std::fopen(temporary_.string().c_str(), "wb");
    failed_ = false;
    return file_ != nullptr;
}

void ExportFile::write(std::string_view text) {
    if (!file_ || text.empty())
        return;
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        failed_ = true;
}

bool ExportFile::close() {
    if (!file_)
        return false;
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool ExportFile::commit() {
    if (!file_)
        return false;
    std::error_code error;
    if (close())
        std::filesystem::rename(temporary_, final_, error);
    if (failed_ || error) {
        std::filesystem::remove(temporary_, error);
        return false;
    }
    return true;
}

void ExportFile::discard() {
    if (!file_)
        return;
    close();
    std::error_code error;
    std::filesystem::remove(temporary_, error);
}

} // namespace interlock
