#pragma once

#include "firmware/image_reader.h"

#include <cstdio>
#include <memory>
#include <string>

namespace interlock {

// A firmware image file on disk.
class ImageFile final : public ImageReader {
  public:
    // Opens `path` for binary reading. On failure returns null and says why in `why`
    // (the system's reason, or that the path is not a file).
    static std::unique_ptr<ImageFile> open(const std::string& path, std::string& why);
    ~ImageFile() override;
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    std::uint64_t size() const override { return size_; }
    std::size_t read(std::span<std::uint8_t> into) override;
    std::string error() const override { return error_; }

  private:
    ImageFile(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}

    std::FILE* file_;
    std::uint64_t size_;
    std::string error_;
};

// The opener the firmware update uses unless a test gives another.
std::unique_ptr<ImageReader> openImageFile(const std::string& path, std::string& why);

} // namespace interlock
