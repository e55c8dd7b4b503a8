#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace interlock {

inline constexpr std::size_t kUserSlots = 20;
// A name or password fits a 50-byte field with its terminator.
inline constexpr std::size_t kUserFieldMax = 49;
// Selected row of the User List page when no row is selected.
inline constexpr int kNoRowSelected = 100;

inline constexpr std::string_view kMasterCode = "MSTQXZ402715";
inline constexpr std::string_view kMasterCodeMessage =
    "The master code you enterd is not valid. Verify that it was enterd correctly and try again";

struct UserSlot {
    std::string name;
    std::string password;
    bool operator==(const UserSlot&) const = default;
};

using UserTable = std::array<UserSlot, kUserSlots>;

// What the Register page does after "O K".
struct RegisterVerdict {
    bool closePage = false;
    std::string message{};        // message box text, empty for none
    bool clearMasterCode = false; // empty the master code box
    bool clearAllBoxes = false;   // empty name, password and master code boxes
};

// What the User List page does after "O K".
struct DeleteVerdict {
    bool deleted = false;   // the table changed: refill the list, selection back to none
    bool fileSaved = false; // the user file holds the new table
    std::string message{};  // message box text, empty for none
    bool clearMasterCode = false;
};

// The user table and the user file behind it: one account per line, name TAB
// password CR LF; read back as white-space separated words taken in pairs.
class UserAccounts {
  public:
    explicit UserAccounts(std::filesystem::path file) : file_(std::move(file)) {}

    // Fills the table from the user file, creating an empty file (owner-only) when
    // there is none. Reading stops once the table is full. A file that is there but
    // cannot be read, or is no regular file (a FIFO, a device, a folder: never waited
    // on), is left as it is; the text returned then says why (empty when all went
    // well).
    std::string load();

    const UserTable& table() const { return slots_; }
    // Slots for which both a name and a password were read at the last load.
    std::uint8_t count() const { return count_; }
    const std::filesystem::path& file() const { return file_; }

    // Slots whose name and password equal the typed ones, in table order; the login
    // window opens the PC Connect page once for each. Both empty: no scan.
    std::vector<std::size_t> loginMatches(std::string_view name, std::string_view password) const;

    // "O K" on the Register page: checks, appends the account and reloads.
    RegisterVerdict registerAccount(std::string_view name, std::string_view password,
                                    std::string_view masterCode);

    // "O K" on the User List page with `selectedRow` (kNoRowSelected for none). After
    // a failed read the table does not hold the file, so the file is never rewritten.
    DeleteVerdict deleteAccount(int selectedRow, std::string_view masterCode);

  private:
    // Fills the table from `file`; returns the errno of a failed read, 0 when none.
    int readTable(std::FILE* file);
    // Remembers and traces a failed read; returns the text that says why.
    std::string unreadable(std::error_code error);
    bool rewriteFile() const;

    std::filesystem::path file_;
    UserTable slots_{};
    std::uint8_t count_ = 0;
    std::string readFailure_; // reason of the last failed read, empty when the table holds the file
};

// The file line of one slot: name, tab, password, CR LF.
std::string userFileLine(const UserSlot& slot);

} // namespace interlock
