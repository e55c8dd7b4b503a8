#include "log/export_file.h"

#include "link/file_replace.h"

namespace interlock {

bool ExportFile::create(const std::filesystem::path& finalPath) {
    discard();
    final_ = finalPath;
    error_.clear();
    // Tried once now, so that a name or folder that cannot take the file is known
    // before the read starts.
    if (const std::error_code error = canCreateBeside(finalPath)) {
        error_ = error.message();
        return false;
    }
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

bool ExportFile::commit() {
    if (!open_)
        return false;
    const std::error_code error = replaceFile(final_, bytes_);
    if (error)
        error_ = error.message();
    discard();
    return !error;
}

void ExportFile::discard() {
    open_ = false;
    bytes_.clear();
    bytes_.shrink_to_fit();
}

} // namespace interlock
