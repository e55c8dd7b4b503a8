#include "cli/login.h"

#include "app/user_accounts.h"
#include "cli/terminal.h"

#include <cstdlib>

namespace interlock::cli {

std::optional<std::string> readPassword() {
    if (const char* given = std::getenv(kPasswordVariable))
        return std::string(given);
    if (isTerminal(stdin)) {
        std::fputs("PASSWORD: ", stderr);
        std::fflush(stderr);
    }
    std::string line;
    if (!readLineUnechoed(line))
        return std::nullopt;
    // A line from a file written on Windows ends in CR LF.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
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
