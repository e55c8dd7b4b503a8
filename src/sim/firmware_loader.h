#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace interlock::sim {

// The loader's side of the image stream: a 32-bit little-endian size, then
// (size / 4) + 1 groups of four bytes, the bytes past the image all 0xFF.
class FirmwareLoader {
  public:
    enum class Result { Pending, Done, Rejected };
    // Larger sizes cannot be a firmware image of this device; refusing them keeps a
    // damaged size from making the loader collect memory without end.
    static constexpr std::uint32_t kMaxImageSize = 4 * 1024 * 1024;

    void restart();
    // Consumes as many bytes as the stream still needs; `used` tells how many.
    Result feed(std::span<const std::uint8_t> bytes, std::size_t& used);

    std::uint32_t imageSize() const { return size_; }
    std::size_t groupsExpected() const { return size_ / 4 + 1; }
    std::size_t groupsReceived() const { return received_.size() / 4; }
    // The image without its padding, once the stream is complete.
    std::vector<std::uint8_t> image() const;

  private:
    Result finish() const;

    std::vector<std::uint8_t> sizeBytes_;
    std::vector<std::uint8_t> received_;
    std::uint32_t size_ = 0;
    bool haveSize_ = false;
};

} // namespace interlock::sim
