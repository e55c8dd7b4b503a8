// The user file reader on any file content, then a registration and a deletion on
// the table it read. Whatever the file held, a rewritten file must read back as
// the table that was written.
#include "app/user_accounts.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

const fs::path& userFile() {
    static const fs::path file = [] {
        const fs::path folder =
            fs::temp_directory_path() / ("user_file_fuzzer." + std::to_string(getpid()));
        fs::create_directories(folder);
        std::atexit([] { fs::remove_all(userFile().parent_path()); });
        return folder / "user.txt";
    }();
    return file;
}

void mustHold(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(userFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    UserAccounts accounts(userFile());
    accounts.load();
    accounts.loginMatches("alice", "secret");

    if (accounts.registerAccount("fuzz", "word", kMasterCode).closePage) {
        UserAccounts reread(userFile());
        reread.load();
        mustHold(!reread.loginMatches("fuzz", "word").empty());
    }
    if (accounts.deleteAccount(0, kMasterCode).fileSaved) {
        UserAccounts reread(userFile());
        reread.load();
        mustHold(reread.table() == accounts.table());
    }
    return 0;
}
