#include "cli/login.h"

#include "app/user_accounts.h"
#include "cli/terminal.h"

#include <cstdio>
#include <cstdlib>

namespace interlock::cli {

namespace {
// The first line of standard input without its line end; nothing when the input
// ended or failed before its first byte.
std::optional<std::string> firstInputLine() {
    std::string line;
    int c = 0;
    while (line.size() < kPasswordLineMost && (c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        return std::nullopt;
    // A line from a file written on Windows ends in CR LF.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}
} // namespace

std::optional<std::string> readPassword() {
    if (const char* given = std::getenv(kPasswordVariable))
        return std::string(given);
    if (isTerminal(stdin)) {
        std::fputs("PASSWORD: ", stderr);
        std::fflush(stderr);
    }
    const bool hidden = hideInputEcho();
    std::optional<std::string> line = firstInputLine();
    if (hidden) {
        restoreInputEcho();
        std::fputs("\n", stderr); // the Enter that was not echoed
    }
    return line;
}

std::string logIn(const std::filesystem::path& userFile, std::string_view name,
                  std::string_view password) {
    UserAccounts accounts(userFile);
    if (std::string problem = accounts.load(); !problem.empty())
        return problem;
    if (accounts.loginMatches(name, password).empty())
        return std::string(kLoginRefused);
    return {};
}

} // namespace interlock::cli
