#pragma once

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace interlock {

// A file of the C library, closed when it is dropped.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

// The reason a failed call left in errno; EIO when it left none.
inline std::error_code lastErrno() {
    return {errno ? errno : EIO, std::generic_category()};
}

} // namespace interlock
