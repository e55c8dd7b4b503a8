#include "firmware/image_stream.h"

#include "firmware/transfer_progress.h"

namespace interlock {

ImageStream::ImageStream(std::vector<std::uint8_t> image)
    : image_(std::move(image)), groups_(static_cast<std::uint32_t>(image_.size() / kGroupBytes)) {}

std::size_t ImageStream::fill(std::span<std::uint8_t> out, const Progress& progress) {
    std::size_t used = 0;
    if (!sizeSent_ && out.size() >= kSizeBytes) {
        const auto size = static_cast<std::uint32_t>(image_.size());
        for (std::size_t i = 0; i < kSizeBytes; ++i)
            out[i] = static_cast<std::uint8_t>(size >> (8 * i));
        sizeSent_ = true;
        used = kSizeBytes;
    }
    while (sizeSent_ && !complete() && out.size() - used >= kGroupBytes) {
        progress(percentSent(groups_ - emitted_, groups_));
        const std::size_t first = std::size_t{emitted_} * kGroupBytes;
        for (std::size_t i = 0; i < kGroupBytes; ++i)
            out[used + i] = first + i < image_.size() ? image_[first + i] : 0xFF;
        used += kGroupBytes;
        ++emitted_;
    }
    return used;
}

} // namespace interlock
