// Reading an export file in pieces: line ends turned into LF across the pieces'
// edges, and the reasons given when a file cannot be read.
#include "review/export_file_loader.h"

#include "child_process.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace interlock::review;
namespace fs = std::filesystem;

TEST(ExportFileLoader, TurnsCrLfIntoLfWhereverThePiecesEnd) {
    const std::string bytes("a\r\nb\rc\r\r\n\0\xFF\r\n\r", 14);
    const std::string expected("a\nb\rc\r\n\0\xFF\n\r", 11);
    const interlock::testing::ScratchFolder folder("loader");
    const fs::path file = folder.path / "log.csv";
    std::ofstream(file, std::ios::binary) << bytes;
    for (std::size_t piece = 1; piece <= bytes.size() + 1; ++piece) {
        ExportFileLoader loader;
        std::string error;
        ASSERT_TRUE(loader.open(file, error)) << error;
        while (!loader.done())
            ASSERT_TRUE(loader.readSome(piece, error)) << error;
        EXPECT_EQ(loader.progress(), 1.0);
        EXPECT_EQ(loader.takeText(), expected) << "pieces of " << piece;
    }
}

TEST(ExportFileLoader, NamesWhyAFileCannotBeRead) {
    const interlock::testing::ScratchFolder scratch("loader-reasons");
    const fs::path& folder = scratch.path;
    ExportFileLoader loader;
    std::string error;
    EXPECT_FALSE(loader.open(folder / "missing.csv", error));
    EXPECT_EQ(error, "No such file or directory");
    // interlock-service --review with a FIFO nobody writes to: refused, not waited on.
    ASSERT_EQ(::mkfifo((folder / "log.csv").c_str(), 0600), 0);
    EXPECT_EQ(interlock::testing::runInChild([&] {
                  ::alarm(5);
                  ExportFileLoader fifo;
                  return fifo.open(folder / "log.csv", error) ? std::string("opened") : error;
              }),
              "it is a FIFO (named pipe), not a file");
}

// A file another program rewrites while the review reads it in pieces: what was read
// is neither version, so the read fails and says why rather than on a line it cut.
TEST(ExportFileLoader, RefusesAFileThatChangedWhileItWasRead) {
    const interlock::testing::ScratchFolder folder("loader-changed");
    const fs::path file = folder.path / "log.csv";
    for (const bool grows : {false, true}) {
        std::ofstream(file, std::ios::binary) << std::string(300000, 'a');
        ExportFileLoader loader;
        std::string error;
        ASSERT_TRUE(loader.open(file, error)) << error;
        ASSERT_TRUE(loader.readSome(100000, error)) << error;
        if (grows)
            std::ofstream(file, std::ios::binary | std::ios::app) << "more";
        else
            std::ofstream(file, std::ios::binary) << std::string(150000, 'b');
        while (!loader.done() && loader.readSome(100000, error)) {
        }
        EXPECT_EQ(error, "it changed while it was read") << (grows ? "grown" : "cut");
    }
}
