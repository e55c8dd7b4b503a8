// How the command line is read: each command with its options, and every line a
// script could get wrong refused with a reason, never run as something else.
#include "cli/command_line.h"

#include <gtest/gtest.h>

using namespace interlock::cli;

namespace {
CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("interlock-service"));
    return parseCommandLine(arguments);
}
} // namespace

TEST(CommandLineTest, EachCommandTakesItsOptionsInAnyOrder) {
    const CommandLine download = parse({"--json", "download", "--registration", "AB 12", "--port",
                                        "/dev/ttyUSB0", "--out=logs", "--user", "tech"});
    EXPECT_EQ(download.usageError, QString());
    EXPECT_EQ(download.command, Command::Download);
    EXPECT_EQ(download.port, "/dev/ttyUSB0");
    EXPECT_EQ(download.registration, "AB 12");
    EXPECT_EQ(download.outFolder, "logs");
    EXPECT_EQ(download.user, "tech");
    EXPECT_TRUE(download.json);
    EXPECT_FALSE(needsWindows(download));

    const CommandLine settings =
        parse({"settings", "--port", "COM5", "--save", "unit.cfg", "--user", "tech"});
    EXPECT_EQ(settings.usageError, QString());
    EXPECT_EQ(settings.saveFile, "unit.cfg");
    EXPECT_EQ(parse({"ports"}).command, Command::Ports);
    EXPECT_EQ(parse({"info", "--port", "COM5", "--user", "tech"}).usageError, QString());
    // An empty registration number is one the page takes too.
    EXPECT_EQ(parse({"download", "--port", "P", "--registration", "", "--user", "u"}).usageError,
              QString());
}

TEST(CommandLineTest, WithoutACommandTheWindowOpensAsBefore) {
    const CommandLine window = parse({"--demo", "/dev/pts/7"});
    EXPECT_EQ(window.command, Command::Window);
    EXPECT_TRUE(window.demo);
    EXPECT_EQ(window.extraPorts, QStringList{"/dev/pts/7"});
    EXPECT_TRUE(needsWindows(window));
    const CommandLine review = parse({"--review", "170105-090703-AB12.csv"});
    EXPECT_EQ(review.command, Command::Review);
    EXPECT_EQ(review.reviewFile, "170105-090703-AB12.csv");
    EXPECT_EQ(parse({"--help", "--bogus"}).command, Command::Help);
    EXPECT_EQ(parse({"--version"}).command, Command::Version);
}

TEST(CommandLineTest, LinesAScriptCouldGetWrongAreRefusedWithTheirReason) {
    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{"download", "--port", "P", "--user", "u"}, "download needs --registration"},
        {{"info", "--port", "P"}, "info needs --user"},
        {{"settings", "--port", "P", "--user", "u"}, "settings needs --save"},
        {{"ports", "--port", "P"}, "ports takes no --port"},
        {{"info", "--port", "P", "--user", "u", "--out", "d"}, "info takes no --out"},
        {{"info", "extra", "--port", "P", "--user", "u"}, "unexpected argument extra"},
        {{"--json"}, "--json belongs to a command (info, download, settings or ports)"},
        {{"--review", "a.csv", "b.csv"}, "unexpected argument b.csv"},
        {{"--review"}, "Missing value after '--review'."},
        {{"info", "--bogus"}, "Unknown option 'bogus'."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.arguments).usageError, c.error) << c.arguments.join(' ').toStdString();
    // Whether a window is wanted is still told, so that a job never needs a display.
    EXPECT_FALSE(needsWindows(parse({"download", "--bogus"})));
    EXPECT_TRUE(needsWindows(parse({"--bogus"})));
}
