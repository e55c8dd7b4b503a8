// Each command of interlock-service run as its own process, with no display, against
// interlock-sim on a pseudo-terminal: what it prints, its exit status and the files
// it leaves, set against what the pages make of the same simulated interlock.
#include "app/user_file_place.h"
#include "cli/exit_status.h"
#include "cli/login.h"
#include "config/settings_file.h"
#include "connected_program.h"
#include "link/codes.h"
#include "log/download_page.h"
#include "review/export_reader.h"
#include "review/review_summary.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <variant>

using namespace interlock;
using namespace interlock::testing;
using interlock::cli::ExitStatus;
namespace fs = std::filesystem;

namespace {
using Args = std::vector<std::string>;

const std::string kFailure =
    "Failure to download log data. Please check the connections and try again.";
// Both simulated interlocks of a comparison keep the same clock, so their logs match.
const Args kSameLog{"--no-pacing", "--log-count", "300", "--clock", "2017-01-05 09:00:00"};

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// Where the password comes from: the variable, a line on standard input, or neither
// (standard input ends at once unless `redirect` gives it a file).
enum class Password { FromVariable, FromInput, None };

class CliEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path userFile = userFileUnder(config);
        fs::create_directories(userFile.parent_path());
        std::ofstream(userFile, std::ios::binary) << "tech\tsecret\r\n";
        fs::create_directories(out);
    }

    // Runs interlock-service with `arguments`; `redirect` may give its standard
    // streams files, `meanwhile` runs once it has started.
    CliRun run(const QStringList& arguments, const QString& password = "secret",
               Password from = Password::FromVariable, const std::function<void()>& meanwhile = {},
               const std::function<void(QProcess&)>& redirect = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all: a job that wanted a window would fail to start.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
        environment.remove(cli::kPasswordVariable);
        if (from == Password::FromVariable)
            environment.insert(cli::kPasswordVariable, password);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(scratch.path.string()));
        if (redirect)
            redirect(process);
        process.start(QStringLiteral(INTERLOCK_SERVICE_EXECUTABLE), arguments);
        if (!process.waitForStarted())
            return {};
        if (from == Password::FromInput)
            process.write((password + "\n").toUtf8());
        process.closeWriteChannel();
        if (meanwhile)
            meanwhile();
        if (!process.waitForFinished(60000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    void startSim(const Args& args) { ASSERT_TRUE(sim.start(args)) << sim.error(); }
    QString port() const { return QString::fromStdString(sim.portPath()); }
    QString outPath() const { return QString::fromStdString(out.string()); }
    QStringList download(const QString& registration = "AB12") const {
        return {"download", "--port",  port(),   "--registration", registration,
                "--out",    outPath(), "--user", "tech",           "--json"};
    }

    ScratchFolder scratch{"cli-end-to-end"};
    fs::path config = scratch.path / "config";
    fs::path out = scratch.path / "out";
    sim::SimProcess sim;
};

QJsonObject jsonOf(const QString& text) {
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

// The export file the DOWNLOAD page writes from an interlock started with `simArgs`,
// reached the way the menu reaches the page.
std::string pageExport(const Args& simArgs, const fs::path& folder) {
    ConnectedProgram link;
    if (!link.start(simArgs))
        return "(no simulator)";
    link.program.requester().read(request::ReadInfo);
    runCommandReads(MenuCommand::Part2Download, link.program.requester());
    CDownLoad_Part2 page(link.program, folder, nullptr);
    page.show();
    page.registrationEdit()->setText(QStringLiteral("AB12"));
    page.readLogButton()->click();
    if (!QTest::qWaitFor([&page] { return !page.download().running(); }, 30000))
        return "(read did not end)";
    return fileContents(folder / page.download().exportFileName());
}
} // namespace

TEST_F(CliEndToEnd, DownloadWritesTheSameExportFileAsThePageAndSummarizesIt) {
    ScratchFolder pageFolder("cli-page-export");
    const std::string expected = pageExport(kSameLog, pageFolder.path);
    ASSERT_GT(expected.size(), 1000u) << expected;

    startSim(kSameLog);
    const CliRun result = run(download());
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, QString()) << "no progress bar where no one watches";
    const QJsonObject json = jsonOf(result.out);
    const fs::path written(json["exportFile"].toString().toStdString());
    ASSERT_EQ(written.parent_path(), out);
    EXPECT_EQ(fileContents(written), expected);
    EXPECT_TRUE(
        std::regex_match(written.filename().string(), std::regex(R"(\d{6}-\d{6}-AB12\.csv)")));

    const auto log = std::get<review::ExportLog>(review::readExport(expected));
    const review::ReviewSummary summary = review::summarize(log);
    EXPECT_EQ(json["events"].toInt(), static_cast<int>(log.events.size()));
    EXPECT_EQ(json["firstEvent"].toString().toStdString(), review::stampText(*summary.earliest));
    EXPECT_EQ(json["lastEvent"].toString().toStdString(), review::stampText(*summary.latest));
    const QJsonObject counts = json["counts"].toObject();
    EXPECT_EQ(counts["Violations"].toInt(), static_cast<int>(summary.violations()));
    const std::string_view passed = review::kindCaption(review::EventKind::TestPassed);
    EXPECT_EQ(
        counts[QString::fromLatin1(passed.data(), static_cast<qsizetype>(passed.size()))].toInt(),
        static_cast<int>(summary.count(review::EventKind::TestPassed)));
    EXPECT_EQ(counts.size(), review::kEventKindCount + 1);
}

TEST_F(CliEndToEnd, InfoNamesTheUnitWithThePasswordTypedOnInput) {
    startSim({"--no-pacing", "--dut", "2", "--firmware", "4.3", "--handset-serial", "HSABC123",
              "--control-serial", "CB777000"});
    const CliRun result =
        run({"info", "--port", port(), "--user", "tech", "--json"}, "secret", Password::FromInput);
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject json = jsonOf(result.out);
    EXPECT_EQ(json["handsetSerial"].toString(), "HSABC123");
    EXPECT_EQ(json["controlSerial"].toString(), "CB777000");
    EXPECT_EQ(json["port"].toString(), port());
    EXPECT_EQ(json["productLine"].toInt(), 2);
    EXPECT_EQ(json["unit"].toInt(), 2);
    EXPECT_EQ(json["unitName"].toString(), "handset");
    EXPECT_EQ(json["firmware"].toString(), "4.3");
    EXPECT_FALSE(json["firmwareKnown"].toBool());

    const CliRun people = run({"info", "--port", port(), "--user", "tech"});
    ASSERT_EQ(people.status, 0);
    EXPECT_TRUE(people.out.contains(QRegularExpression("Handset S/N: +HSABC123\n")))
        << people.out.toStdString();
}

TEST_F(CliEndToEnd, SettingsSavesTheFileThePagesWouldFromTheSameRecords) {
    const Args unit{"--no-pacing", "--config", "0102030405060708090a0b0c0d0e0f10111201",
                    "--service", "0a0b0c0d0e0f10111213141516"};
    ConnectedProgram reference;
    ASSERT_TRUE(reference.start(unit));
    runCommandReads(MenuCommand::Part2Settings, reference.program.requester());
    const SettingsFileBytes expected = settingsFileBytes(reference.program.state());

    startSim(unit);
    const CliRun result = run(
        {"settings", "--port", port(), "--save", outPath() + "/unit", "--user", "tech", "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(jsonOf(result.out)["settingsFile"].toString().toStdString(),
              (out / "unit.cfg").string());
    EXPECT_EQ(fileContents(out / "unit.cfg"),
              std::string(reinterpret_cast<const char*>(expected.data()), expected.size()));
}

// A job that fails: its exit status, its message on standard error, and no file.
struct FailingJob {
    const char* name;
    Args simArgs;        // empty: no simulator, the port is missing
    const char* command; // download or settings
    ExitStatus status;
    std::vector<std::string> said; // what standard error holds, in order; PORT is the port
    const char* password = "secret";
    bool outIsAFile = false; // the output folder's name is taken by a file
};

void PrintTo(const FailingJob& job, std::ostream* os) {
    *os << job.name;
}

const FailingJob kFailingJobs[] = {
    {"WrongPassword",
     {},
     "download",
     ExitStatus::LoginRefused,
     {std::string(cli::kLoginRefused)},
     "Secret"},
    {"MissingPort",
     {},
     "download",
     ExitStatus::NoSuchPort,
     {"Check /dev/interlock-missing-port Communication"}},
    {"SilentLine",
     {"--latency-ms", "60000"},
     "download",
     ExitStatus::NoAnswer,
     {"The interlock on PORT did not answer the connect request."}},
    {"RefusedRead",
     {"--refuse", "0x43"},
     "download",
     ExitStatus::Refused,
     {"The interlock on PORT refused the reads of DOWNLOAD."}},
    {"WrongLogTotal", {"--bad-total"}, "download", ExitStatus::LogReadFailed, {kFailure}},
    // A damaged option record is no setting: no file is written from what was held.
    {"DamagedSettingsAnswer",
     {"--bad-crc", "0x62"},
     "settings",
     ExitStatus::NoAnswer,
     {"The interlock on PORT did not answer the reads of SETTINGS."}},
    {"OtherProductLine",
     {"--part", "1"},
     "download",
     ExitStatus::OtherProductLine,
     {"The software version of your device is not matched with PC Program."}},
    // The page's message does not say why; the job adds the system's reason.
    {"ExportFolderIsAFile",
     {},
     "download",
     ExitStatus::FileNotWritable,
     {"file Create Fail", "The export folder could not be made: Not a directory\nFolder: "},
     "secret",
     true},
    {"SettingsFolderIsAFile",
     {},
     "settings",
     ExitStatus::FileNotWritable,
     {"FILE OPEN ERROR"},
     "secret",
     true},
};

class FailingJobs : public CliEndToEnd, public ::testing::WithParamInterface<FailingJob> {};

TEST_P(FailingJobs, EndWithTheirStatusAndMessageAndLeaveNoFile) {
    const FailingJob& job = GetParam();
    QString portPath = QStringLiteral("/dev/interlock-missing-port");
    const bool needsUnit = !job.simArgs.empty() || job.outIsAFile;
    if (needsUnit) {
        Args args{"--no-pacing"};
        args.insert(args.end(), job.simArgs.begin(), job.simArgs.end());
        startSim(args);
        portPath = port();
    }
    if (job.outIsAFile) {
        fs::remove_all(out);
        std::ofstream(out) << "taken";
    }
    QStringList arguments{job.command, "--port", portPath, "--user", "tech"};
    if (std::string_view(job.command) == "download")
        arguments << "--registration"
                  << "AB12"
                  << "--out" << outPath();
    else
        arguments << "--save" << outPath() + "/unit.cfg";
    const CliRun result = run(arguments, job.password);

    EXPECT_EQ(result.status, static_cast<int>(job.status)) << result.err.toStdString();
    EXPECT_EQ(result.out, QString());
    std::size_t at = 0;
    for (std::string said : job.said) {
        if (const auto p = said.find("PORT"); p != std::string::npos)
            said.replace(p, 4, portPath.toStdString());
        const std::size_t found = result.err.toStdString().find(said, at);
        ASSERT_NE(found, std::string::npos) << result.err.toStdString();
        at = found + said.size();
    }
    if (job.outIsAFile)
        EXPECT_EQ(fileContents(out), "taken");
    else
        EXPECT_TRUE(fs::is_empty(out)) << "no export file, not even a part";
}

INSTANTIATE_TEST_SUITE_P(Row, FailingJobs, ::testing::ValuesIn(kFailingJobs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliEndToEnd, AnInputWithoutAPasswordLineIsToldAndNeverReadOnAndOn) {
    const QStringList info{"info", "--port", "/dev/interlock-missing-port", "--user", "tech"};
    const CliRun none = run(info, {}, Password::None);
    EXPECT_EQ(none.status, static_cast<int>(ExitStatus::LoginRefused));
    EXPECT_EQ(none.err.toStdString(), std::string(cli::kNoPassword) + "\n");
    // No line end ever comes: reading stops at a length no password has.
    const CliRun endless = run(info, {}, Password::None, {}, [](QProcess& process) {
        process.setStandardInputFile(QStringLiteral("/dev/zero"));
    });
    EXPECT_EQ(endless.status, static_cast<int>(ExitStatus::LoginRefused));
    EXPECT_EQ(endless.err.toStdString(), std::string(cli::kLoginRefused) + "\n");
}

TEST_F(CliEndToEnd, PulledLineDuringTheLogEndsAsLinkLostWithNoFile) {
    const fs::path served = scratch.path / "served.bin";
    startSim({"--log-count", "20000", "--served-log", served.string()}); // 17 s of log
    const auto pullOnceTheLogFlows = [&] {
        // The event section is served once the header's 27 bytes are.
        const bool flowing = QTest::qWaitFor(
            [&] {
                std::error_code none;
                return fs::file_size(served, none) > 27 && !none;
            },
            20000);
        EXPECT_TRUE(flowing) << "the log was never asked for";
        QTest::qWait(500);
        sim.stop();
    };
    const CliRun result = run(download(), "secret", Password::FromVariable, pullOnceTheLogFlows);
    EXPECT_EQ(result.status, static_cast<int>(ExitStatus::LinkLost));
    const std::string said = result.err.toStdString();
    // The port as the serial channel names it.
    const std::size_t lost = said.find(" Communication\n", said.find("Check "));
    ASSERT_NE(lost, std::string::npos) << said;
    EXPECT_NE(said.find(kFailure, lost), std::string::npos) << said;
    EXPECT_TRUE(fs::is_empty(out));
}

TEST_F(CliEndToEnd, ProgressShowsOnlyOnATerminal) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString terminal = QString::fromLatin1(ptsname(master));
    // Held open here too, so the terminal stays up after the program has ended.
    const int held = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    startSim({"--log-count", "600"}); // half a second of log at the line's pace
    const CliRun result = run(download(), "secret", Password::FromVariable, {},
                              [&](QProcess& process) { process.setStandardErrorFile(terminal); });
    ASSERT_EQ(result.status, 0);
    std::string shown(1 << 16, '\0');
    fcntl(master, F_SETFL, O_NONBLOCK);
    const ssize_t n = ::read(master, shown.data(), shown.size());
    shown.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    ::close(held);
    ::close(master);
    EXPECT_NE(shown.find("] 100%  "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" bytes  "), std::string::npos) << shown;
}

TEST_F(CliEndToEnd, AResultThatCannotBeWrittenIsAFailure) {
    const CliRun full = run({"ports", "--json"}, "secret", Password::FromVariable, {},
                            [](QProcess& process) { process.setStandardOutputFile("/dev/full"); });
    EXPECT_EQ(full.status, static_cast<int>(ExitStatus::FileNotWritable));
    EXPECT_EQ(full.err, "interlock-service: standard output could not be written: No space left "
                        "on device.\n");
}

TEST_F(CliEndToEnd, PortsHelpVersionAndUsageNeedNoInterlock) {
    const CliRun ports = run({"ports", "--json"});
    EXPECT_EQ(ports.status, 0);
    EXPECT_TRUE(jsonOf(ports.out)["ports"].isArray()) << ports.out.toStdString();

    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: interlock-service [options] [command | PORT...]\n"));
    for (const char* part : {"download --port PORT --registration REG", "--json",
                             "Exit status:", " 7  the line to the interlock was lost"})
        EXPECT_TRUE(help.out.contains(QLatin1String(part))) << part;
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.out,
              QStringLiteral("interlock-service %1\n").arg(QLatin1String(INTERLOCK_VERSION)));

    const CliRun usage = run({"download", "--port", "/dev/null", "--user", "tech"});
    EXPECT_EQ(usage.status, static_cast<int>(ExitStatus::Usage));
    EXPECT_EQ(usage.err, "interlock-service: download needs --registration\n"
                         "Try 'interlock-service --help'.\n");
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
