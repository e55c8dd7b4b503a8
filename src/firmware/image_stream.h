#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace interlock {

// The bytes the loader is sent for one image: the image size as unsigned 32-bit
// little-endian, then (size / 4) + 1 groups of four bytes in file order, 0xFF for
// every byte past the end of the image. Produced a block at a time, so the caller
// can keep its channel's write queue filled without a write per group.
class ImageStream {
  public:
    // Called for each group as it is produced, with the percentage it stands for.
    using Progress = std::function<void(int percent)>;
    static constexpr std::size_t kSizeBytes = 4;
    static constexpr std::size_t kGroupBytes = 4;

    // `image` holds the whole image, 4 to 0xFFFFFFFF bytes.
    explicit ImageStream(std::vector<std::uint8_t> image);

    // Fills `out` with the next bytes of the stream: the size bytes first, then as
    // many whole groups as fit (`out` holds at least one group). Returns the count,
    // 0 once the stream is complete.
    std::size_t fill(std::span<std::uint8_t> out, const Progress& progress);

    bool complete() const { return emitted_ == groups_ + 1; }
    std::uint32_t groups() const { return groups_; }

  private:
    std::vector<std::uint8_t> image_;
    std::uint32_t groups_;
    std::uint32_t emitted_ = 0;
    bool sizeSent_ = false;
};

} // namespace interlock
