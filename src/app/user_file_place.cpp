#include "app/user_file_place.h"

#include "app/user_accounts.h"
#include "link/file_replace.h"
#include "link/regular_file.h"
#include "link/trace.h"

#include <string>
#include <string_view>
#include <system_error>

namespace interlock {

namespace fs = std::filesystem;

namespace {

// Copies `from` to `to` (see replaceFile), readable by the owner only; false, with
// nothing left at `to`, when any step fails.
bool copyOwnerOnly(const fs::path& from, const fs::path& to, std::error_code& error) {
    const WholeFile earlier = readWholeFile(from);
    error = earlier.error;
    if (!error) {
        const std::string_view content(reinterpret_cast<const char*>(earlier.bytes.data()),
                                       earlier.bytes.size());
        error = replaceFile(to, content, true);
    }
    return !error;
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

DemoUserFile writeDemoUserFile(const fs::path& folder) {
    DemoUserFile demo{folder / "user.txt", {}};
    if (const std::error_code error = replaceFile(demo.path, userFileLine({"demo", "demo"}), true))
        demo.failure = "The demo user file " + demo.path.string() +
                       " could not be written: " + error.message() + ".";
    return demo;
}

} // namespace interlock
