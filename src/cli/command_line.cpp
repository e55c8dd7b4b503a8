#include "cli/command_line.h"

#include "cli/exit_status.h"

#include <QCommandLineParser>

#include <algorithm>

namespace interlock::cli {

namespace {

const QString kPort = QStringLiteral("port");
const QString kRegistration = QStringLiteral("registration");
const QString kOut = QStringLiteral("out");
const QString kSave = QStringLiteral("save");
const QString kUser = QStringLiteral("user");
const QString kJson = QStringLiteral("json");
const QString kReview = QStringLiteral("review");
const QString kDemo = QStringLiteral("demo");

// A command word, the options it must have and those it may have.
struct CommandOptions {
    const char* word;
    Command command;
    QStringList required;
    QStringList allowed;
};

const CommandOptions kCommands[] = {
    {"info", Command::Info, {kPort, kUser}, {kJson}},
    {"download", Command::Download, {kPort, kRegistration, kUser}, {kOut, kJson}},
    {"settings", Command::Settings, {kPort, kSave, kUser}, {kJson}},
    {"ports", Command::Ports, {}, {kJson}},
};

const CommandOptions kWindow{"", Command::Window, {}, {kDemo}};
const CommandOptions kReviewOnly{"", Command::Review, {kReview}, {}};

QString describeCommands() {
    return QStringLiteral(
        "A service program for breath-alcohol ignition interlocks. Without a command it\n"
        "opens the login window; any PORT given is listed besides the system's ports.\n"
        "\n"
        "Commands, run without a window (--user NAME logs in; the password comes from\n"
        "INTERLOCK_PASSWORD or else from the first line of standard input):\n"
        "  info     --port PORT                            identity, product line,\n"
        "                                                  firmware, serial numbers\n"
        "  download --port PORT --registration REG [--out DIR]\n"
        "                                                  read the log into an export file\n"
        "  settings --port PORT --save FILE.cfg            read the settings into a file\n"
        "  ports                                           list the serial ports");
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser() {
        parser.setApplicationDescription(describeCommands());
        parser.addOptions({
            {kPort,
             QStringLiteral("The interlock's serial port: a device path, or COM5 on Windows."),
             QStringLiteral("PORT")},
            {kRegistration,
             QStringLiteral("The vehicle's registration number, as typed on DOWNLOAD."),
             QStringLiteral("REG")},
            {kOut,
             QStringLiteral("Folder for the export file (made when missing; default: the "
                            "current folder)."),
             QStringLiteral("DIR")},
            {kSave, QStringLiteral("Settings file to write; \".cfg\" is added unless it ends so."),
             QStringLiteral("FILE.cfg")},
            {kUser, QStringLiteral("The account to log in with."), QStringLiteral("NAME")},
            {kJson, QStringLiteral("Print the result as one JSON object.")},
            {kReview, QStringLiteral("Open the log review of a saved export file."),
             QStringLiteral("FILE")},
            {kDemo, QStringLiteral("Start the simulated interlock and list its port first.")},
        });
        parser.addPositionalArgument(QStringLiteral("command"),
                                     QStringLiteral("info, download, settings or ports."),
                                     QStringLiteral("[command | PORT...]"));
    }
};

const CommandOptions* commandNamed(const QString& word) {
    const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [&](const CommandOptions& form) { return word == form.word; });
    return found == std::end(kCommands) ? nullptr : found;
}

// What is wrong with the options given for `form`; empty when nothing is.
QString optionsError(const QCommandLineParser& parser, const CommandOptions& form) {
    const QString name = form.word[0] ? QString::fromLatin1(form.word) : QString();
    for (const QString& option : parser.optionNames()) {
        if (form.required.contains(option) || form.allowed.contains(option))
            continue;
        if (name.isEmpty())
            return QStringLiteral("--%1 belongs to a command (info, download, settings or "
                                  "ports)")
                .arg(option);
        return QStringLiteral("%1 takes no --%2").arg(name, option);
    }
    for (const QString& option : form.required) {
        if (!parser.isSet(option))
            return QStringLiteral("%1 needs --%2").arg(name, option);
    }
    return {};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    Parser p;
    CommandLine line;
    // An unknown option still leaves the command to be found, so that the caller
    // knows whether a window would have been wanted.
    const bool understood = p.parser.parse(arguments);
    if (p.parser.isSet(p.help) || p.parser.optionNames().contains(QStringLiteral("help-all"))) {
        line.command = Command::Help;
        return line;
    }
    if (p.parser.isSet(p.version)) {
        line.command = Command::Version;
        return line;
    }
    QStringList positional = p.parser.positionalArguments();
    const CommandOptions* form = positional.isEmpty() ? nullptr : commandNamed(positional.first());
    if (form)
        positional.removeFirst();
    else if (p.parser.isSet(kReview))
        form = &kReviewOnly;
    else
        form = &kWindow;
    line.command = form->command;
    if (!understood)
        line.usageError = p.parser.errorText();
    else if (form != &kWindow && !positional.isEmpty())
        line.usageError = QStringLiteral("unexpected argument %1").arg(positional.first());
    else
        line.usageError = optionsError(p.parser, *form);
    line.extraPorts = positional;
    line.demo = p.parser.isSet(kDemo);
    line.reviewFile = p.parser.value(kReview);
    line.port = p.parser.value(kPort);
    line.registration = p.parser.value(kRegistration);
    line.outFolder = p.parser.value(kOut);
    line.saveFile = p.parser.value(kSave);
    line.user = p.parser.value(kUser);
    line.json = p.parser.isSet(kJson);
    return line;
}

bool needsWindows(const CommandLine& line) {
    return line.command == Command::Window || line.command == Command::Review;
}

QString helpText() {
    Parser p;
    // The usage line names the program as it is called, not by its path.
    QString text = p.parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: interlock-service [options] [command | PORT...]"));
    text += QStringLiteral("\nExit status:\n");
    for (const ExitStatusMeaning& entry : kExitStatuses)
        text += QStringLiteral("  %1  %2\n")
                    .arg(exitCode(entry.status), 2)
                    .arg(QLatin1String(entry.meaning.data(),
                                       static_cast<qsizetype>(entry.meaning.size())));
    return text;
}

QString versionText() {
    return QStringLiteral("interlock-service %1\n").arg(QStringLiteral(INTERLOCK_VERSION));
}

} // namespace interlock::cli
