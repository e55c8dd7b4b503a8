#pragma once

#include <QString>
#include <QStringList>

namespace interlock::cli {

// What interlock-service was asked to do.
enum class Command {
    Window,   // the login window; --demo and device paths to list are allowed
    Review,   // --review FILE
    Info,     // info --port PORT --user NAME
    Download, // download --port PORT --registration REG [--out DIR] --user NAME
    Settings, // settings --port PORT --save FILE.cfg --user NAME
    Ports,    // ports
    Help,
    Version,
};

struct CommandLine {
    Command command = Command::Window;
    // Not empty: the command line is not understood, and this says why.
    QString usageError;
    bool demo = false;
    QStringList extraPorts; // the window lists them besides the system's ports
    QString reviewFile;
    QString port;
    QString registration;
    QString outFolder; // empty: the current folder
    QString saveFile;
    QString user;
    bool json = false;
};

// Reads the arguments, the program's name first, as QCoreApplication::arguments()
// gives them. Needs no application object.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the command opens a window, and so needs a display; told even when the
// line is not understood (a window program reports that once it has its own
// arguments, the window system's taken out).
bool needsWindows(const CommandLine& line);

// What --help prints: usage, commands, options and exit statuses.
QString helpText();
// What --version prints.
QString versionText();

} // namespace interlock::cli
