#include "app/user_accounts.h"

#include "link/file_replace.h"
#include "link/regular_file.h"
#include "link/trace.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>

namespace interlock {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPasswordMask = "********";

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Refuses an empty entry or one the reader would split; traces each blank.
bool acceptable(std::string_view text, const char* blankTrace) {
    bool ok = !text.empty() && text.size() <= kUserFieldMax;
    for (const char c : text) {
        if (isBlank(c)) {
            trace("%s", blankTrace);
            ok = false;
        }
    }
    return ok;
}

void makeOwnerOnly(const fs::path& path) {
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace,
                    ignored);
}

// A new file, created exclusively: one that appeared meanwhile is never truncated.
OpenFile createFile(const fs::path& path) {
    return OpenFile(std::fopen(path.string().c_str(), "wb+x"));
}

// The white-space separated words of the user file, as far as they were read.
struct FileWords {
    std::vector<std::string> kept; // the first words, each cut to a field's length
    std::size_t count = 0;         // words read
    bool endsInBlank = true;       // nothing read, or the last character read is white space
    int error = 0;                 // errno of a failed read, 0 when none
};

// Reads words from where `file` stands, keeping the first `keep`. Unless `toEnd`,
// reading stops as soon as the word after them begins, so a huge file costs no
// more than the table takes.
FileWords readWords(std::FILE* file, std::size_t keep, bool toEnd) {
    FileWords words;
    bool inWord = false;
    for (int got; (got = std::getc(file)) != EOF;) {
        const char c = static_cast<char>(got);
        const bool blank = isBlank(c);
        if (!blank && !inWord) {
            if (!toEnd && words.count == keep)
                return words;
            if (++words.count <= keep)
                words.kept.emplace_back();
        }
        inWord = !blank;
        words.endsInBlank = blank;
        if (!blank && words.count <= keep && words.kept.back().size() < kUserFieldMax)
            words.kept.back() += c;
    }
    if (std::ferror(file))
        words.error = errno;
    return words;
}

// Traces each slot's name; a password shows only as a fixed mask (traces end up in
// collected logs), so neither its text nor its length leaves the program.
void traceTable(const UserTable& slots, std::uint8_t count) {
    trace("user_cnt = %d\r\n", count);
    for (std::size_t i = 0; i < slots.size(); ++i)
        trace("cnt : [%.2d] %s %s\r\n", static_cast<int>(i + 1), slots[i].name.c_str(),
              slots[i].password.empty() ? "" : kPasswordMask);
}

} // namespace

std::string userFileLine(const UserSlot& slot) {
    return slot.name + '\t' + slot.password + "\r\n";
}

int UserAccounts::readTable(std::FILE* file) {
    const FileWords words = readWords(file, 2 * kUserSlots, false);
    slots_ = {};
    count_ = 0;
    if (words.error != 0)
        return words.error;
    for (std::size_t slot = 0; slot < kUserSlots; ++slot) {
        const std::size_t nameAt = slot * 2;
        if (nameAt < words.kept.size())
            slots_[slot].name = words.kept[nameAt];
        if (nameAt + 1 < words.kept.size()) {
            slots_[slot].password = words.kept[nameAt + 1];
            ++count_;
        }
    }
    return 0;
}

std::string UserAccounts::load() {
    trace("fn_Load_User\r\n");
    slots_ = {};
    count_ = 0;
    readFailure_.clear();
    std::error_code error;
    OpenFile file = openRegularFile(file_, FileAccess::Read, error).file;
    // There, but not for us (or no file at all, such as a FIFO): kept as it is.
    if (!file && error != std::errc::no_such_file_or_directory)
        return unreadable(error);
    if (!file) {
        trace("load_user_file read open fail File Create\r\n");
        file = createFile(file_);
        if (file)
            makeOwnerOnly(file_);
        trace(file ? "load_user_file create success\r\n" : "load_user_file create fail!!\r\n");
        if (!file)
            return {};
    } else {
        trace("load_user_file open success!!\r\n");
    }
    trace("ftell = %d\r\n", 0);
    if (const int readError = readTable(file.get()); readError != 0)
        return unreadable({readError, std::generic_category()});
    traceTable(slots_, count_);
    return {};
}

std::string UserAccounts::unreadable(std::error_code error) {
    readFailure_ = error.message();
    trace("load_user_file read fail %s\r\n", readFailure_.c_str());
    return "The user file " + file_.string() + " could not be read: " + readFailure_ + ".";
}

std::vector<std::size_t> UserAccounts::loginMatches(std::string_view name,
                                                    std::string_view password) const {
    std::vector<std::size_t> matches;
    if (name.empty() && password.empty())
        return matches;
    for (std::size_t i = 0; i < kUserSlots; ++i) {
        if (slots_[i].name == name && slots_[i].password == password)
            matches.push_back(i);
    }
    return matches;
}

RegisterVerdict UserAccounts::registerAccount(std::string_view name, std::string_view password,
                                              std::string_view masterCode) {
    trace("OnBnClickedButtonRegOk\r\n");
    const bool nameOk = acceptable(name, "null string catch username\r\n");
    const bool passwordOk = acceptable(password, "null string catch password\r\n");
    if (masterCode != kMasterCode) {
        trace("Master Code not equal\r\n");
        return {.message = std::string(kMasterCodeMessage), .clearMasterCode = true};
    }
    if (!nameOk || !passwordOk)
        return {};
    const bool full = std::none_of(slots_.begin(), slots_.end(),
                                   [](const UserSlot& slot) { return slot.name.empty(); });
    if (full)
        return {};

    std::error_code refused;
    const OpenFile file = openRegularFile(file_, FileAccess::ReadWrite, refused).file;
    const FileWords before = file ? readWords(file.get(), 0, true) : FileWords{};
    if (!file || before.error != 0) {
        trace("register reg_file open fail!!\r\n");
        return {};
    }
    trace("user register cnt = %d\r\n", count_);
    if (before.count % 2 != 0) {
        // An appended pair would be split across two accounts: nobody could log in.
        trace("user file not in pairs\r\n");
        return {.message = "The user file " + file_.string() +
                           " is damaged: it does not hold name and password pairs."};
    }
    if (std::any_of(slots_.begin(), slots_.end(),
                    [&](const UserSlot& slot) { return slot.name == name; })) {
        trace("same user name exsist\r\n");
        return {};
    }
    // A last line without its line end would glue the new name to the last word.
    std::string appended;
    if (!before.endsInBlank)
        appended = "\r\n";
    appended += userFileLine({std::string(name), std::string(password)});
    if (std::fseek(file.get(), 0, SEEK_END) != 0 ||
        std::fwrite(appended.data(), 1, appended.size(), file.get()) != appended.size() ||
        std::fflush(file.get()) != 0) {
        trace("register reg_file write fail!!\r\n");
        return {};
    }
    trace("ftell = %d\r\n", static_cast<int>(std::ftell(file.get())));
    std::rewind(file.get());
    if (const int error = readTable(file.get()); error != 0)
        return {.closePage = true,
                .message = unreadable({error, std::generic_category()}),
                .clearAllBoxes = true};
    return {.closePage = true, .clearAllBoxes = true};
}

bool UserAccounts::rewriteFile() const {
    std::string content;
    for (const UserSlot& slot : slots_)
        content += userFileLine(slot);
    return !replaceFile(file_, content, true);
}

DeleteVerdict UserAccounts::deleteAccount(int selectedRow, std::string_view masterCode) {
    trace("OnBnClickedButtonUserDeleteOk\r\n");
    const bool rowOk = selectedRow >= 0 && selectedRow < static_cast<int>(kUserSlots);
    if (!rowOk || masterCode != kMasterCode) {
        trace("no select or master code check\r\n");
        return {.message = std::string(kMasterCodeMessage), .clearMasterCode = true};
    }
    if (!readFailure_.empty()) {
        trace("user file not read, no rewrite\r\n");
        return {.message = "The user file " + file_.string() + " could not be read (" +
                           readFailure_ + "), so it is not rewritten: no account was deleted."};
    }
    const auto row = slots_.begin() + selectedRow;
    std::move(row + 1, slots_.end(), row);
    slots_.back() = {};
    const bool saved = rewriteFile();
    if (!saved)
        trace("user file rewrite fail!!\r\n");
    return {.deleted = true, .fileSaved = saved};
}

} // namespace interlock
