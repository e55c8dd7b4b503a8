// Files the program reads are opened only when they are regular files, and never
// wait on what is not one. Built twice: against the POSIX version and the plain std
// version Windows builds use.
#include "link/regular_file.h"

#include "child_process.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void writeFile(const fs::path& path, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < size; ++i)
        out.put(static_cast<char>(i * 7));
}

// Opens `path` in a child that is stopped if the open waits: the reason it was
// refused, or how it ended.
std::string refusalOf(const fs::path& path, FileAccess access) {
    return interlock::testing::runInChild([&] {
        ::alarm(5);
        std::error_code error;
        const RegularFile opened = openRegularFile(path, access, error);
        if (opened.file)
            return std::string("opened");
        return std::string(error.category() == notAFileCategory() ? "" : "system: ") +
               error.message();
    });
}

TEST(RegularFile, WhatIsNoFileIsRefusedByKindWithoutWaiting) {
    interlock::testing::ScratchFolder folder("regular-file");
    const fs::path fifo = folder.path / "x.cfg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const FileAccess access : {FileAccess::Read, FileAccess::ReadWrite}) {
        // Nobody writes to the FIFO: an open that waited for a writer would never end.
        EXPECT_EQ(refusalOf(fifo, access), "it is a FIFO (named pipe), not a file");
        EXPECT_EQ(refusalOf(folder.path, access), "it is a folder, not a file");
    }
    EXPECT_EQ(refusalOf("/dev/null", FileAccess::Read), "it is a device, not a file");
    EXPECT_EQ(refusalOf(folder.path / "none.bin", FileAccess::Read),
              "system: No such file or directory");
    EXPECT_EQ(readWholeFile(fifo).error, make_error_code(NotAFile::Fifo));
}

TEST(RegularFile, AFileIsReadWholeUpToItsLimit) {
    interlock::testing::ScratchFolder folder("whole-file");
    const fs::path path = folder.path / "image.bin";
    const std::size_t size = 200 * 1024 + 3; // several reads
    writeFile(path, size);

    const WholeFile whole = readWholeFile(path, size);
    ASSERT_FALSE(whole.error) << whole.error.message();
    EXPECT_EQ(whole.size, size);
    ASSERT_EQ(whole.bytes.size(), size);
    EXPECT_EQ(whole.bytes[size - 1], static_cast<std::uint8_t>((size - 1) * 7));

    const WholeFile tooLarge = readWholeFile(path, size - 1);
    EXPECT_EQ(tooLarge.error, std::errc::file_too_large);
    EXPECT_EQ(tooLarge.size, size);
    EXPECT_TRUE(tooLarge.bytes.empty());

    writeFile(path, 0);
    const WholeFile empty = readWholeFile(path);
    EXPECT_FALSE(empty.error);
    EXPECT_TRUE(empty.bytes.empty());
}

TEST(RegularFile, ASizeThatUnderstatesTheContentIsReadToTheEnd) {
    // The kernel's own files claim no size at all.
    const WholeFile status = readWholeFile("/proc/self/status");
    ASSERT_FALSE(status.error) << status.error.message();
    EXPECT_GT(status.bytes.size(), 10u);
    const WholeFile capped = readWholeFile("/proc/self/status", 10);
    EXPECT_EQ(capped.error, std::errc::file_too_large);
    EXPECT_GT(capped.size, 10u);
}

TEST(RegularFile, OpenedForUpdateTheFileTakesWrites) {
    interlock::testing::ScratchFolder folder("update-file");
    const fs::path path = folder.path / "user.txt";
    writeFile(path, 4);
    std::error_code error;
    RegularFile opened = openRegularFile(path, FileAccess::ReadWrite, error);
    ASSERT_TRUE(opened.file) << error.message();
    EXPECT_EQ(opened.size, 4u);
    ASSERT_EQ(std::fseek(opened.file.get(), 0, SEEK_END), 0);
    EXPECT_EQ(std::fputs("ab", opened.file.get()), 1);
    opened.file.reset();
    EXPECT_EQ(fs::file_size(path), 6u);
}

} // namespace
