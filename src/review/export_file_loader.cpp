#include "review/export_file_loader.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace interlock::review {

namespace {
// A full interlock log prints to a few megabytes.
constexpr std::uintmax_t kLargestFile = 512u * 1024 * 1024;
} // namespace

void appendWithLfLineEnds(std::string& text, std::string_view bytes, bool& heldCr) {
    if (heldCr && !bytes.starts_with('\n'))
        text += '\r';
    heldCr = false;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t cr = bytes.find('\r', from);
        if (cr == std::string_view::npos) {
            text.append(bytes.substr(from));
            return;
        }
        text.append(bytes.substr(from, cr - from));
        if (cr + 1 == bytes.size()) {
            heldCr = true;
            return;
        }
        if (bytes[cr + 1] != '\n')
            text += '\r';
        from = cr + 1;
    }
}

bool ExportFileLoader::open(const std::filesystem::path& path, std::string& error) {
    std::error_code refused;
    RegularFile opened = openRegularFile(path, FileAccess::Read, refused);
    if (!opened.file) {
        error = refused.message();
        return false;
    }
    if (opened.size > kLargestFile) {
        error = "it is far larger than any export file";
        return false;
    }
    file_ = std::move(opened.file);
    size_ = opened.size;
    text_.reserve(static_cast<std::size_t>(size_));
    return true;
}

bool ExportFileLoader::readSome(std::size_t maxBytes, std::string& error) {
    if (done_)
        return true;
    std::vector<char> chunk(maxBytes);
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file_.get());
    if (std::ferror(file_.get())) {
        error = std::strerror(errno);
        return false;
    }
    read_ += got;
    if (read_ > kLargestFile) {
        error = "it is far larger than any export file";
        return false;
    }
    appendWithLfLineEnds(text_, std::string_view(chunk.data(), got), heldCr_);
    if (got < chunk.size()) {
        // Cut or written on by another program: the text read is neither version.
        if (read_ != size_) {
            error = "it changed while it was read";
            return false;
        }
        appendWithLfLineEnds(text_, {}, heldCr_);
        file_.reset();
        done_ = true;
    }
    return true;
}

double ExportFileLoader::progress() const {
    if (done_ || size_ == 0)
        return done_ ? 1.0 : 0.0;
    return static_cast<double>(read_) / static_cast<double>(size_);
}

} // namespace interlock::review
