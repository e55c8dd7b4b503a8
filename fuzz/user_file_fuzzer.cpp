// The user file reader on any file content, then a registration and a deletion on
// the table it read. Whatever the file held, a rewritten file must read back as
// the table that was written.
#include "app/user_accounts.h"
#include "fuzz_support.h"

using namespace interlock;
using fuzz::mustHold;

namespace {

const std::filesystem::path& userFile() {
    static const std::filesystem::path file = fuzz::scratchFile("user_file_fuzzer", "user.txt");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile(userFile(), {data, size});
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
