#include "cli/job_start.h"

#include "app/user_file_location.h"
#include "cli/login.h"

namespace interlock::cli {

JobFailure startJob(const CommandLine& line, InterlockSession& session, Part2Only part2Only) {
    const std::optional<std::string> password = readPassword();
    const std::string refusal = password ? logIn(userFilePath(), line.user.toStdString(), *password)
                                         : std::string(kNoPassword);
    if (!refusal.empty())
        return {ExitStatus::LoginRefused, refusal};
    if (JobFailure failure = session.connect(line.port.toStdString()))
        return failure;
    if (part2Only == Part2Only::Yes) {
        if (JobFailure failure = session.requirePart2())
            return failure;
    }
    return session.openMenu();
}

} // namespace interlock::cli
