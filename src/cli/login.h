#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace interlock::cli {

inline constexpr const char* kPasswordVariable = "INTERLOCK_PASSWORD";

// The password: INTERLOCK_PASSWORD when it is set, else the first line of standard
// input (asked for on the terminal, unechoed, when standard input is one). Nothing
// when there is neither.
std::optional<std::string> readPassword();

// The login window's check against the accounts in `userFile`. Empty when the user
// is let in; otherwise the message, which says nothing of which part was wrong (or,
// when the file cannot be read, why not).
std::string logIn(const std::filesystem::path& userFile, std::string_view name,
                  std::string_view password);

inline constexpr std::string_view kLoginRefused =
    "Login refused: the user name and password do not match an account.";

} // namespace interlock::cli
