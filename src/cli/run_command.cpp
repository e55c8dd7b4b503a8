#include "cli/run_command.h"

#include "cli/download_job.h"
#include "cli/exit_status.h"
#include "cli/info_job.h"
#include "cli/job_output.h"
#include "cli/ports_job.h"
#include "cli/settings_job.h"

#include <cstdio>

namespace interlock::cli {

namespace {
void printError(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

int runJob(const CommandLine& line) {
    if (line.command == Command::Help || line.command == Command::Version) {
        printText((line.command == Command::Help ? helpText() : versionText()).toStdString());
        return exitCode(ExitStatus::Done);
    }
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
} // namespace

int usageFailure(const QString& error) {
    printError(
        QStringLiteral("interlock-service: %1\nTry 'interlock-service --help'.\n").arg(error));
    return exitCode(ExitStatus::Usage);
}

int runWithoutWindows(const CommandLine& line) {
    const int status = runJob(line);
    const std::error_code lost = outputError();
    if (status != exitCode(ExitStatus::Done) || !lost)
        return status;
    // A result that did not arrive is no success, whatever else the job did.
    printError(QStringLiteral("interlock-service: standard output could not be written: %1.\n")
                   .arg(QString::fromStdString(lost.message())));
    return exitCode(ExitStatus::FileNotWritable);
}

} // namespace interlock::cli
