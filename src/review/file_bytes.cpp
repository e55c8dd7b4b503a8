#include "review/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace interlock::review {

namespace {
// A full interlock log prints to a few megabytes.
constexpr long kLargestFile = 512L * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::string& error) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) {
        error = "it is a folder, not a file";
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    if (const auto size = std::filesystem::file_size(path, status);
        !status && size <= static_cast<std::uintmax_t>(kLargestFile))
        bytes.reserve(size);
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (static_cast<long>(bytes.size() + got) > kLargestFile) {
            error = "it is far larger than any export file";
            return std::nullopt;
        }
        bytes.append(chunk, got);
    }
    if (std::ferror(file.get())) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return bytes;
}

} // namespace interlock::review
