#include "cli/download_job.h"

#include "cli/interlock_session.h"
#include "cli/job_output.h"
#include "cli/job_start.h"
#include "cli/progress_bar.h"
#include "cli/terminal.h"
#include "link/codes.h"
#include "link/regular_file.h"
#include "log/log_download.h"
#include "log/log_timer_duties.h"
#include "review/export_reader.h"

#include <variant>

namespace interlock::cli {

namespace fs = std::filesystem;

namespace {

// DOWNLOAD's page as a job has it: no view, no buttons; what it says goes to the
// report.
class JobDownloadHost final : public LogDownloadHost {
  public:
    explicit JobDownloadHost(JobReport& report) : report_(report) {}

    void appendToView(std::string_view) override {}
    void clearView() override {}
    void setReadLogEnabled(bool) override {}
    void setDeleteLogEnabled(bool) override {}
    void showMessage(const std::string& text) override {
        report_.message(text);
        said_ = text;
    }
    // The last message of the read; empty when it said nothing.
    const std::string& said() const { return said_; }

  private:
    JobReport& report_;
    std::string said_;
};

// Runs READ LOG to its end, the progress on a terminal's standard error.
LogReadResult readLog(Program& program, LogDownload& download, std::string_view registration) {
    JobLoop loop;
    ProgressBar bar(isTerminal(stderr));
    const QObject scope;
    QObject::connect(&program, &Program::logBytesReceived, &scope,
                     [&](std::span<const std::uint8_t> bytes) {
                         download.onBytes(bytes);
                         if (!download.running())
                             loop.finish();
                     });
    QObject::connect(&program, &Program::downloadFailed, &scope, [&] {
        download.fail();
        loop.finish();
    });
    QObject::connect(&program, &Program::downloadRefresh, &scope,
                     [&] { bar.update(download.progress()); });
    if (download.startRead(registration))
        loop.run(JobLoop::kNoDeadline); // the watchdog ends every read that stalls
    bar.finish(download.result() == LogReadResult::Complete);
    return download.result();
}

// The export file just written, read back as the log review reads it; or why it
// could not be.
std::variant<review::ExportLog, std::string> readBack(const fs::path& file) {
    const std::string name = file.filename().string();
    const WholeFile whole = readWholeFile(file);
    if (whole.error)
        return review::unreadableFileText(name, whole.error.message());
    auto read = review::readExport(
        std::string_view(reinterpret_cast<const char*>(whole.bytes.data()), whole.bytes.size()));
    if (const auto* error = std::get_if<review::ReadError>(&read))
        return review::readFailureText(name, *error);
    return std::get<review::ExportLog>(std::move(read));
}

QJsonValue stampValue(const std::optional<LogStamp>& stamp, const review::ExportLog& log) {
    if (!stamp)
        return QJsonValue::Null;
    return QString::fromStdString(
        review::stampText(*stamp, log.format != review::RecordFormat::NoSeconds));
}

QJsonObject countsOf(const review::ReviewSummary& summary) {
    QJsonObject counts{{"Violations", static_cast<qint64>(summary.violations())}};
    for (int kind = 0; kind < review::kEventKindCount; ++kind) {
        const auto k = static_cast<review::EventKind>(kind);
        const std::string_view caption = review::kindCaption(k);
        counts.insert(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())),
                      static_cast<qint64>(summary.count(k)));
    }
    return counts;
}

// The export file's path and the summary the log review would show.
int reportExport(const fs::path& file, std::string_view completion, bool json) {
    const auto read = readBack(file);
    const QString path = QString::fromStdU16String(file.u16string());
    if (const auto* why = std::get_if<std::string>(&read)) {
        // The log is read and its file written; only the summary is missing.
        std::fprintf(stderr, "%s\n", why->c_str());
        if (json)
            printJson({{"exportFile", path}});
        else
            printRows({{"Export file", path.toStdString()}});
        return exitCode(ExitStatus::Done);
    }
    const review::ExportLog& log = std::get<review::ExportLog>(read);
    const review::ReviewSummary summary = review::summarize(log);
    if (json) {
        printJson({{"exportFile", path},
                   {"events", static_cast<qint64>(log.events.size())},
                   {"firstEvent", stampValue(summary.earliest, log)},
                   {"lastEvent", stampValue(summary.latest, log)},
                   {"counts", countsOf(summary)}});
        return exitCode(ExitStatus::Done);
    }
    printLine(completion);
    std::vector<review::SummaryRow> rows{{"Export file", path.toStdString()}};
    for (auto part : {review::identityRows(log, summary), review::countRows(log, summary)})
        rows.insert(rows.end(), part.begin(), part.end());
    printRows(rows);
    return exitCode(ExitStatus::Done);
}

// Makes the export folder when it is missing; why it could not be made, if so.
std::string makeFolder(const fs::path& folder) {
    std::error_code error;
    if (folder.empty() || fs::create_directories(folder, error) || !error)
        return {};
    std::error_code ignored;
    return "The export folder could not be made: " + error.message() +
           "\nFolder: " + fs::absolute(folder, ignored).string();
}

} // namespace

int runDownload(const CommandLine& line, JobReport& report) {
    InterlockSession session(report);
    if (const JobFailure failure = startJob(line, session, Part2Only::Yes))
        return report.fail(failure);
    if (const JobFailure failure = session.runCommand(
            MenuCommand::Part2Download, {response::TE_CONFIG_DATA, response::TE_DIAGNOSIS},
            "the reads of DOWNLOAD"))
        return report.fail(failure);

    Program& program = session.program();
    const fs::path folder(line.outFolder.toStdU16String());
    // A folder that cannot be made is told by the page's message and then its reason.
    const std::string folderFailure = makeFolder(folder);
    JobDownloadHost host(report);
    LogDownload download(program.requester(), host, folder);
    const WriteOutcome outcome(program.state());
    // The typed number reaches the file in the system's 8-bit encoding, as on the page.
    const QByteArray registration = line.registration.toLocal8Bit();
    switch (readLog(program, download,
                    std::string_view(registration.constData(),
                                     static_cast<std::size_t>(registration.size())))) {
    case LogReadResult::Complete:
        return reportExport(fs::absolute(folder / download.exportFileName()),
                            host.said().empty() ? kEventReadComplete : host.said(), line.json);
    case LogReadResult::NotWritten:
        // "file Create Fail" does not say why; the job does.
        return report.fail({ExitStatus::FileNotWritable,
                            folderFailure.empty() ? download.fileFailure() : folderFailure});
    default:
        // The read's own message is said; a lost line was said before it.
        return report.fail({outcome.lineLost() ? ExitStatus::LinkLost : ExitStatus::LogReadFailed});
    }
}

} // namespace interlock::cli
