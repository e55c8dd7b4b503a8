#include "firmware/image_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace interlock {

namespace {
std::string systemReason(int error, const char* fallback) {
    return error != 0 ? std::strerror(error) : fallback;
}
} // namespace

std::unique_ptr<ImageFile> ImageFile::open(const std::string& path, std::string& why) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        why = systemReason(errno, "cannot be opened");
        return nullptr;
    }
    // Opening a folder or a device can succeed; neither holds an image.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        std::fclose(file);
        why = error ? error.message() : "not a file";
        return nullptr;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        std::fclose(file);
        why = error.message();
        return nullptr;
    }
    return std::unique_ptr<ImageFile>(new ImageFile(file, size));
}

ImageFile::~ImageFile() {
    std::fclose(file_);
}

std::size_t ImageFile::read(std::span<std::uint8_t> into) {
    errno = 0;
    const std::size_t count = std::fread(into.data(), 1, into.size(), file_);
    if (count < into.size() && std::ferror(file_)) {
        error_ = systemReason(errno, "read error");
        std::clearerr(file_);
    } else {
        error_.clear();
    }
    return count;
}

std::unique_ptr<ImageReader> openImageFile(const std::string& path, std::string& why) {
    return ImageFile::open(path, why);
}

} // namespace interlock
