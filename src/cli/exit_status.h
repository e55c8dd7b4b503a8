#pragma once

#include <array>
#include <string_view>

namespace interlock::cli {

// The exit status of interlock-service, one for each kind of failure, so that a
// script can tell them apart. A number keeps its meaning from release to release.
enum class ExitStatus : int {
    Done = 0,
    NotStarted = 1, // --review or --demo could not start
    Usage = 2,
    LoginRefused = 3,
    NoSuchPort = 4,
    NoAnswer = 5,
    Refused = 6,
    LinkLost = 7,
    FileNotWritable = 8,
    LogReadFailed = 9,
    OtherProductLine = 10,
};

struct ExitStatusMeaning {
    ExitStatus status;
    std::string_view meaning;
};

// Every status and what it means, as --help lists them.
inline constexpr std::array<ExitStatusMeaning, 11> kExitStatuses{{
    {ExitStatus::Done, "the job is done"},
    {ExitStatus::NotStarted, "--review could not read its file, or --demo its simulator"},
    {ExitStatus::Usage, "the command line is not understood"},
    {ExitStatus::LoginRefused, "the user name and password match no account"},
    {ExitStatus::NoSuchPort, "the port cannot be opened (absent, busy or no access)"},
    {ExitStatus::NoAnswer, "the interlock did not answer"},
    {ExitStatus::Refused, "the interlock refused a request"},
    {ExitStatus::LinkLost, "the line to the interlock was lost"},
    {ExitStatus::FileNotWritable, "the export or settings file, or the result, cannot be written"},
    {ExitStatus::LogReadFailed, "the log stopped coming or failed its checks"},
    {ExitStatus::OtherProductLine, "the interlock is of another product line"},
}};

inline constexpr int exitCode(ExitStatus status) {
    return static_cast<int>(status);
}

} // namespace interlock::cli
