#include "link/file_replace.h"

#include "link/c_file.h"
#include "link/file_replace_platform.h"
#include "link/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

namespace interlock {

namespace fs = std::filesystem;

namespace {

// Names are drawn at random; one taken by another file is skipped, not opened.
constexpr int kNameTries = 100;

// A file of its own beside `target`, created exclusively: never an existing one.
OpenFile createBeside(const fs::path& target, fs::path& created, std::error_code& error) {
    static std::mt19937_64 draw{std::random_device{}()};
    for (int i = 0; i < kNameTries; ++i) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                      static_cast<unsigned long long>(draw() & 0xffffffffffffULL));
        created = target;
        created += suffix;
        if (OpenFile file{createNew(created, error)})
            return file;
        if (error != std::errc::file_exists)
            break;
    }
    created.clear();
    return {};
}

// Writes and closes `file`, keeping the first error of the write, the flush or the close.
std::error_code writeAndClose(OpenFile file, std::string_view bytes) {
    errno = 0;
    std::error_code error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0)
        error = lastErrno();
    errno = 0;
    if (std::fclose(file.release()) != 0 && !error)
        error = lastErrno();
    return error;
}

} // namespace

std::error_code replaceFile(const fs::path& target, std::string_view bytes, bool ownerOnly) {
    // Renamed over, a FIFO or a device of that name (even /dev/full, for root) would be
    // gone; a folder refuses the rename by itself.
    std::error_code unknown;
    const fs::file_status status = fs::status(target, unknown);
    if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status))
        return notAFileError(status.type());
    fs::path temporary;
    std::error_code error;
    OpenFile file = createBeside(target, temporary, error);
    if (!file)
        return error;
    if (ownerOnly)
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, error);
    if (!error)
        error = writeAndClose(std::move(file), bytes);
    if (!error)
        error = renameOver(temporary, target);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return error;
}

std::error_code canCreateBeside(const fs::path& target) {
    fs::path probe;
    std::error_code error;
    if (OpenFile file = createBeside(target, probe, error)) {
        file.reset();
        fs::remove(probe, error);
    }
    return error;
}

std::error_code replaceChosenFile(const fs::path& target, std::string_view bytes) {
    std::error_code error;
    // Opened for update without truncating, only to learn whether it may be replaced.
    if (fs::exists(target, error))
        openRegularFile(target, FileAccess::ReadWrite, error);
    return error ? error : replaceFile(target, bytes);
}

} // namespace interlock
