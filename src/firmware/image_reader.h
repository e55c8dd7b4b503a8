#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace interlock {

// A firmware image opened for reading, front to back.
class ImageReader {
  public:
    virtual ~ImageReader() = default;
    // The size in bytes when it was opened.
    virtual std::uint64_t size() const = 0;
    // Reads up to `into.size()` bytes where the last read ended and returns the count.
    // A count short of the request means the end of the file or an error.
    virtual std::size_t read(std::span<std::uint8_t> into) = 0;
    // Why the last read came short; empty when it reached the end of the file.
    virtual std::string error() const = 0;
};

} // namespace interlock
