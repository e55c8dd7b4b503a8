#include "cli/run_command.h"

#include "cli/download_job.h"
#include "cli/exit_status.h"
#include "cli/info_job.h"
#include "cli/ports_job.h"
#include "cli/settings_job.h"

#include <cstdio>

namespace interlock::cli {

namespace {
int print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
    return exitCode(ExitStatus::Done);
}
} // namespace

int usageFailure(const QString& error) {
    print(stderr,
          QStringLiteral("interlock-service: %1\nTry 'interlock-service --help'.\n").arg(error));
    return exitCode(ExitStatus::Usage);
}

int runWithoutWindows(const CommandLine& line) {
    if (line.command == Command::Help)
        return print(stdout, helpText());
    if (line.command == Command::Version)
        return print(stdout, versionText());
    if (!line.usageError.isEmpty())
        return usageFailure(line.usageError);
    JobReport report;
    switch (line.command) {
    case Command::Info:
        return runInfo(line, report);
    case Command::Download:
        return runDownload(line, report);
    case Command::Settings:
        return runSettings(line, report);
    case Command::Ports:
        return runPorts(line);
    case Command::Window:
    case Command::Review:
    case Command::Help:
    case Command::Version:
        break;
    }
    return usageFailure(QStringLiteral("this needs the program's window"));
}

} // namespace interlock::cli
