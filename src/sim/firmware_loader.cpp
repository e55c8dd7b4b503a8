#include "sim/firmware_loader.h"

#include <algorithm>

namespace interlock::sim {

void FirmwareLoader::restart() {
    sizeBytes_.clear();
    received_.clear();
    size_ = 0;
    haveSize_ = false;
}

FirmwareLoader::Result FirmwareLoader::feed(std::span<const std::uint8_t> bytes,
                                            std::size_t& used) {
    used = 0;
    while (!haveSize_ && used < bytes.size()) {
        sizeBytes_.push_back(bytes[used++]);
        if (sizeBytes_.size() == 4) {
            size_ = std::uint32_t(sizeBytes_[0]) | std::uint32_t(sizeBytes_[1]) << 8 |
                    std::uint32_t(sizeBytes_[2]) << 16 | std::uint32_t(sizeBytes_[3]) << 24;
            haveSize_ = true;
            if (size_ > kMaxImageSize)
                return Result::Rejected;
            received_.reserve(groupsExpected() * 4);
        }
    }
    if (!haveSize_)
        return Result::Pending;
    const std::size_t want = groupsExpected() * 4 - received_.size();
    const std::size_t take = std::min(want, bytes.size() - used);
    received_.insert(received_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(used),
                     bytes.begin() + static_cast<std::ptrdiff_t>(used + take));
    used += take;
    if (received_.size() < groupsExpected() * 4)
        return Result::Pending;
    return finish();
}

FirmwareLoader::Result FirmwareLoader::finish() const {
    const bool padded = std::all_of(received_.begin() + size_, received_.end(),
                                    [](std::uint8_t b) { return b == 0xFF; });
    return padded ? Result::Done : Result::Rejected;
}

std::vector<std::uint8_t> FirmwareLoader::image() const {
    return {received_.begin(), received_.begin() + std::min<std::size_t>(size_, received_.size())};
}

} // namespace interlock::sim
