#include "app/user_accounts.h"

#include "link/trace.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace interlock {

namespace fs = std::filesystem;

namespace {

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

std::string readAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> splitWords(std::string_view content) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < content.size()) {
        while (at < content.size() && isBlank(content[at]))
            ++at;
        const std::size_t start = at;
        while (at < content.size() && !isBlank(content[at]))
            ++at;
        if (at > start)
            words.emplace_back(content.substr(start, at - start));
    }
    return words;
}

void traceTable(const UserTable& slots, std::uint8_t count) {
    trace("user_cnt = %d\r\n", count);
    for (std::size_t i = 0; i < slots.size(); ++i)
        trace("cnt : [%.2d] %s %s\r\n", static_cast<int>(i + 1), slots[i].name.c_str(),
              slots[i].password.c_str());
}

// Writes `content` to a temporary file beside `target` and moves it over `target`
// only when it was written whole, so a failed write never loses the old file.
bool replaceFile(const fs::path& target, const std::string& content) {
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        makeOwnerOnly(temp);
        out << content;
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temp, target, error);
    if (error) {
        fs::remove(temp, error);
        return false;
    }
    return true;
}

} // namespace

std::string userFileLine(const UserSlot& slot) {
    return slot.name + '\t' + slot.password + "\r\n";
}

void UserAccounts::readTable(std::string_view content) {
    slots_ = {};
    count_ = 0;
    const std::vector<std::string> words = splitWords(content);
    // Words longer than a field are cut so that no field is overrun.
    const auto word = [&](std::size_t i) { return words[i].substr(0, kUserFieldMax); };
    for (std::size_t slot = 0; slot < kUserSlots; ++slot) {
        const std::size_t nameAt = slot * 2;
        if (nameAt < words.size())
            slots_[slot].name = word(nameAt);
        if (nameAt + 1 < words.size()) {
            slots_[slot].password = word(nameAt + 1);
            ++count_;
        }
    }
}

void UserAccounts::load() {
    trace("fn_Load_User\r\n");
    std::string content;
    std::fstream file(file_, std::ios::in | std::ios::out | std::ios::binary);
    bool open = static_cast<bool>(file);
    if (!open) {
        trace("load_user_file read open fail File Create\r\n");
        std::ofstream created(file_, std::ios::binary | std::ios::trunc);
        open = static_cast<bool>(created);
        if (open)
            makeOwnerOnly(file_);
        trace(open ? "load_user_file create success\r\n" : "load_user_file create fail!!\r\n");
    } else {
        trace("load_user_file open success!!\r\n");
    }
    slots_ = {};
    count_ = 0;
    if (!open)
        return;
    trace("ftell = %d\r\n", 0);
    if (file)
        content = readAll(file);
    readTable(content);
    traceTable(slots_, count_);
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

    std::fstream file(file_, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) {
        trace("register reg_file open fail!!\r\n");
        return {};
    }
    trace("user register cnt = %d\r\n", count_);
    const std::string before = readAll(file);
    if (std::any_of(slots_.begin(), slots_.end(),
                    [&](const UserSlot& slot) { return slot.name == name; })) {
        trace("same user name exsist\r\n");
        return {};
    }
    // A last line without its line end would glue the new name to the last word.
    std::string appended;
    if (!before.empty() && !isBlank(before.back()))
        appended = "\r\n";
    appended += userFileLine({std::string(name), std::string(password)});
    file.clear();
    file.seekp(0, std::ios::end);
    file << appended;
    file.flush();
    if (!file) {
        trace("register reg_file write fail!!\r\n");
        return {};
    }
    const std::string content = before + appended;
    trace("ftell = %d\r\n", static_cast<int>(content.size()));
    readTable(content);
    return {.closePage = true, .clearAllBoxes = true};
}

bool UserAccounts::rewriteFile() const {
    std::string content;
    for (const UserSlot& slot : slots_)
        content += userFileLine(slot);
    return replaceFile(file_, content);
}

DeleteVerdict UserAccounts::deleteAccount(int selectedRow, std::string_view masterCode) {
    trace("OnBnClickedButtonUserDeleteOk\r\n");
    const bool rowOk = selectedRow >= 0 && selectedRow < static_cast<int>(kUserSlots);
    if (!rowOk || masterCode != kMasterCode) {
        trace("no select or master code check\r\n");
        return {.message = std::string(kMasterCodeMessage), .clearMasterCode = true};
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
