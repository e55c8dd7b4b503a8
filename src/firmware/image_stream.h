#pragma once

#include "firmware/image_reader.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
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

    // `size` is the image size, at least 4 bytes; the reader is read up to there.
    ImageStream(ImageReader& reader, std::uint32_t size);

    // Fills `out` with the next bytes of the stream: the size bytes first, then as
    // many whole groups as fit (`out` holds at least one group). Returns the count,
    // 0 once the stream is complete or has failed.
    std::size_t fill(std::span<std::uint8_t> out, const Progress& progress);

    bool complete() const { return emitted_ == groups_ + 1; }
    // Why the stream stopped: the file could not be read, or ended before its size.
    // Nothing is produced after a read that failed.
    const std::string& failure() const { return failure_; }
    std::uint32_t groups() const { return groups_; }

  private:
    // Puts the next group in `group`; false on a read failure.
    bool nextGroup(std::span<std::uint8_t, kGroupBytes> group);
    bool refill();

    ImageReader& reader_;
    std::uint32_t size_;
    std::uint32_t groups_;
    std::uint32_t emitted_ = 0;
    bool sizeSent_ = false;
    std::uint64_t imageRead_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::size_t bufferAt_ = 0;
    std::size_t bufferEnd_ = 0;
    std::string failure_;
};

} // namespace interlock
