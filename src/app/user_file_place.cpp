#include "app/user_file_place.h"

#include "link/trace.h"

#include <system_error>

namespace interlock {

namespace fs = std::filesystem;

namespace {

// Copies `from` to `to` through a temporary file beside `to`, readable by the
// owner only; false, with nothing left at `to`, when any step fails.
bool copyOwnerOnly(const fs::path& from, const fs::path& to, std::error_code& error) {
    fs::path temporary = to;
    temporary += ".tmp";
    if (fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error)) {
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, error);
        if (!error)
            fs::rename(temporary, to, error);
    }
    if (!error)
        return true;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
}

} // namespace

fs::path userFileUnder(const fs::path& configHome) {
    return configHome / "interlock-service" / "user.txt";
}

fs::path earlierUserFileUnder(const fs::path& configHome) {
    return configHome / "Local AppWizard-Generated Applications" / "Quenlix_Interlock" / "user.txt";
}

fs::path placeUserFile(const fs::path& configHome) {
    const fs::path file = userFileUnder(configHome);
    const fs::path earlier = earlierUserFileUnder(configHome);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::error_code ignored;
    if (fs::exists(file, ignored) || !fs::is_regular_file(earlier, ignored))
        return file;
    if (error || !copyOwnerOnly(earlier, file, error)) {
        trace("User file not copied from %s: %s; using it there\r\n", earlier.string().c_str(),
              error.message().c_str());
        return earlier;
    }
    trace("User file copied from %s to %s\r\n", earlier.string().c_str(), file.string().c_str());
    return file;
}

} // namespace interlock
