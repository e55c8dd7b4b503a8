#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace interlock::cli {

inline constexpr const char* kPasswordVariable = "INTERLOCK_PASSWORD";

// The password: INTERLOCK_PASSWORD when it is set, else the first line of standard
// input (asked for on the terminal, unechoed, when standard input is one). Nothing
// when there is neither. Reading stops after kPasswordLineMost bytes: a longer line
// is no account's password, and an input without line ends is not read on and on.
std::optional<std::string> readPassword();
inline constexpr std::size_t kPasswordLineMost = 1024;

// The login window's check against the accounts in `userFile`. Empty when the user
// is let in; otherwise the message, which says nothing of which part was wrong (or,
// when the file cannot be read, why not).
std::string logIn(const std::filesystem::path& userFile, std::string_view name,
                  std::string_view password);

inline constexpr std::string_view kLoginRefused =
    "Login refused: the user name and password do not match an account.";
inline constexpr std::string_view kNoPassword =
    "No password: INTERLOCK_PASSWORD is not set and standard input ended before a line.";

} // namespace interlock::cli
