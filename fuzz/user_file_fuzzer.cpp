// The user file reader on any file content, then a registration and a deletion on
// the table it read. Whatever the file held, a rewritten file must read back as
// the table that was written.
#include "app/user_accounts.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

// A folder of this process's own, in memory where the system offers one, removed
// at exit.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code error;
        const fs::path memory = "/dev/shm";
        const fs::path top = fs::is_directory(memory, error) ? memory : fs::temp_directory_path();
        folder_ = top / ("user_file_fuzzer." + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path file() const { return folder_ / "user.txt"; }

  private:
    fs::path folder_;
};

const fs::path& userFile() {
    static const ScratchFolder scratch;
    static const fs::path file = scratch.file();
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
