#include "child_process.h"
#include "link/file_replace.h"
#include "link/regular_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

class FileReplace : public ::testing::Test {
  protected:
    void write(const fs::path& name, const std::string& text) const {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    // Every file in the folder with its content (folders as "<folder>").
    std::map<std::string, std::string> folderContent() const {
        std::map<std::string, std::string> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            files[entry.path().filename().string()] =
                entry.is_directory() ? "<folder>" : interlock::testing::fileContents(entry.path());
        }
        return files;
    }

    interlock::testing::ScratchFolder scratch{"file-replace"};
    const fs::path& folder = scratch.path;
};

// Files named as a temporary file of the target might be named are the user's own.
TEST_F(FileReplace, ReplacesTheTargetAndNoFileOfALikeName) {
    write("unit.cfg", "old");
    write("unit.cfg.tmp", "mine");
    write("unit.cfg.part", "mine too");
    fs::create_directory(folder / "unit.cfg.tmp2");
    EXPECT_FALSE(replaceFile(folder / "unit.cfg", "new"));
    EXPECT_FALSE(replaceFile(folder / "user.txt", "a\tb\r\n", true));
    EXPECT_FALSE(canCreateBeside(folder / "unit.cfg"));
    EXPECT_EQ(folderContent(), (std::map<std::string, std::string>{{"unit.cfg", "new"},
                                                                   {"unit.cfg.tmp", "mine"},
                                                                   {"unit.cfg.part", "mine too"},
                                                                   {"unit.cfg.tmp2", "<folder>"},
                                                                   {"user.txt", "a\tb\r\n"}}));
    EXPECT_EQ(fs::status(folder / "user.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileReplace, FailuresNameTheCauseAndLeaveTheFolderAsItWas) {
    write("unit.cfg", "old");
    fs::create_directory(folder / "dir.cfg");
    const auto before = folderContent();
    EXPECT_EQ(replaceFile(folder / "none" / "unit.cfg", "new"),
              std::errc::no_such_file_or_directory);
    EXPECT_EQ(canCreateBeside(folder / "none" / "unit.cfg"), std::errc::no_such_file_or_directory);
    EXPECT_EQ(replaceFile(folder / "dir.cfg", "new"), std::errc::is_a_directory);
    // The file size limit makes the write fail the way a full disk does.
    const std::string full = interlock::testing::runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 2;
        setrlimit(RLIMIT_FSIZE, &small);
        return replaceFile(folder / "unit.cfg", "a longer text").message();
    });
    EXPECT_EQ(full, "File too large");
    EXPECT_EQ(folderContent(), before);
}

// Renaming over a FIFO or a device (as root even /dev/full) would put a file in its
// place: only a file is replaced.
TEST_F(FileReplace, AFifoOrADeviceOfTheNameIsRefusedAndKept) {
    const fs::path fifo = folder / "pipe.cfg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(replaceFile(fifo, "new"), make_error_code(NotAFile::Fifo));
    EXPECT_TRUE(fs::is_fifo(fifo));
    const fs::path device = folder / "full.cfg";
    if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0) { // root only
        EXPECT_EQ(replaceFile(device, "new"), make_error_code(NotAFile::Device));
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), fs::exists(device) ? 2 : 1);
}

} // namespace
