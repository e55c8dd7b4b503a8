#include "firmware/image_stream.h"

#include "firmware/transfer_progress.h"
#include "link/formatted.h"

#include <algorithm>
#include <array>

namespace interlock {

namespace {
// How much of the image one read takes.
constexpr std::size_t kReadBytes = 16 * 1024;
} // namespace

ImageStream::ImageStream(ImageReader& reader, std::uint32_t size)
    : reader_(reader), size_(size), groups_(size / kGroupBytes), buffer_(kReadBytes) {}

std::size_t ImageStream::fill(std::span<std::uint8_t> out, const Progress& progress) {
    if (!failure_.empty())
        return 0;
    std::size_t used = 0;
    if (!sizeSent_ && out.size() >= kSizeBytes) {
        for (std::size_t i = 0; i < kSizeBytes; ++i)
            out[i] = static_cast<std::uint8_t>(size_ >> (8 * i));
        sizeSent_ = true;
        used = kSizeBytes;
    }
    std::array<std::uint8_t, kGroupBytes> group{};
    while (sizeSent_ && !complete() && out.size() - used >= kGroupBytes) {
        if (!nextGroup(group))
            return 0;
        progress(percentSent(groups_ - emitted_, groups_));
        std::copy(group.begin(), group.end(), out.begin() + static_cast<std::ptrdiff_t>(used));
        used += kGroupBytes;
        ++emitted_;
    }
    return used;
}

bool ImageStream::nextGroup(std::span<std::uint8_t, kGroupBytes> group) {
    const std::uint64_t first = std::uint64_t{emitted_} * kGroupBytes;
    for (std::size_t i = 0; i < kGroupBytes; ++i) {
        if (first + i >= size_) {
            group[i] = 0xFF;
            continue;
        }
        if (bufferAt_ == bufferEnd_ && !refill())
            return false;
        group[i] = buffer_[bufferAt_++];
    }
    return true;
}

bool ImageStream::refill() {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), size_ - imageRead_));
    const std::size_t got = reader_.read(std::span(buffer_).first(want));
    imageRead_ += got;
    bufferAt_ = 0;
    bufferEnd_ = got;
    if (got == want)
        return true;
    const std::string error = reader_.error();
    failure_ = !error.empty() ? error
                              : formatted("the file ended after %llu of its %u bytes",
                                          static_cast<unsigned long long>(imageRead_), size_);
    return false;
}

} // namespace interlock
