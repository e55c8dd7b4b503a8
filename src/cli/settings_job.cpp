#include "cli/settings_job.h"

#include "cli/interlock_session.h"
#include "cli/job_output.h"
#include "cli/job_start.h"
#include "config/settings_file.h"
#include "link/codes.h"

namespace interlock::cli {

int runSettings(const CommandLine& line, JobReport& report) {
    InterlockSession session(report);
    if (const JobFailure failure = startJob(line, session, Part2Only::Yes))
        return report.fail(failure);
    using namespace response;
    if (const JobFailure failure = session.runCommand(
            MenuCommand::Part2Settings, {TE_CONFIG_DATA, TE_OPTION, TE_G_SENSOR, TE_SERVICE},
            "the reads of SETTINGS"))
        return report.fail(failure);

    const std::filesystem::path file = settingsFilePath(line.saveFile.toStdString());
    const FileOutcome saved = saveSettingsFile(file, settingsFileBytes(session.program().state()));
    if (!saved.ok) {
        // The system's account of the failure, then the page's own message.
        report.message(saved.report);
        return report.fail({ExitStatus::FileNotWritable, "FILE OPEN ERROR"});
    }
    const std::filesystem::path shown = std::filesystem::absolute(file);
    if (line.json)
        printJson({{"settingsFile", QString::fromStdU16String(shown.u16string())}});
    else
        printRows({{"Settings file", shown.string()}});
    return exitCode(ExitStatus::Done);
}

} // namespace interlock::cli
