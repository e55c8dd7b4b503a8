#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace interlock {

// A packed record as it travels on the link: N bytes, no padding. Multi-byte
// fields are little-endian unless a record reads them with the be16 accessors.
template <std::size_t N> struct ByteImage {
    static constexpr std::size_t size = N;
    std::array<std::uint8_t, N> bytes{};

    std::uint8_t u8(std::size_t offset) const { return bytes[offset]; }
    void setU8(std::size_t offset, std::uint8_t value) { bytes[offset] = value; }

    std::uint16_t le16(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
    }
    void setLe16(std::size_t offset, std::uint16_t value) {
        bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::uint16_t be16(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
    }
    void setBe16(std::size_t offset, std::uint16_t value) {
        bytes[offset] = static_cast<std::uint8_t>(value >> 8);
        bytes[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
    }

    // Fixed-width text without terminator, taken as the bytes stand.
    std::string text(std::size_t offset, std::size_t width) const {
        return std::string(reinterpret_cast<const char*>(bytes.data() + offset), width);
    }
    // Stores at most `width` characters; a shorter text is padded with zero bytes.
    void setText(std::size_t offset, std::size_t width, std::string_view value) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), width, std::uint8_t{0});
        std::copy_n(value.begin(), std::min(width, value.size()),
                    bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }

    std::span<const std::uint8_t> view() const { return bytes; }
    // Copies the first N bytes of `source` (fewer if it is shorter).
    void assign(std::span<const std::uint8_t> source) {
        std::copy_n(source.begin(), std::min(N, source.size()), bytes.begin());
    }
    bool operator==(const ByteImage&) const = default;
};

} // namespace interlock
