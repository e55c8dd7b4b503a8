// Replacing files with the Windows rules: moved over the old file in one step; a file
// another program holds open is named as such and neither file is lost.
#include "link/file_replace.h"
#include "scratch_folder.h"
#include "under_wine.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

class FileReplaceWin : public ::testing::Test {
  protected:
    interlock::testing::ScratchFolder scratch{"file-replace-win"};
    const fs::path target = scratch.path / "unit.cfg";
};

TEST_F(FileReplaceWin, ReplacesAnExistingFileWhole) {
    ASSERT_FALSE(replaceFile(target, "old"));
    EXPECT_FALSE(replaceFile(target, "new"));
    EXPECT_EQ(interlock::testing::fileContents(target), "new");
    EXPECT_EQ(scratch.files().size(), 1u);
}

TEST_F(FileReplaceWin, AFileOpenElsewhereIsNamedAndKept) {
    ASSERT_FALSE(replaceFile(target, "old"));
    // Another program reads it and lets nobody delete or rename it meanwhile.
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::error_code error = replaceFile(target, "new");
    CloseHandle(held);
    ASSERT_TRUE(error);
    EXPECT_EQ(error.message(), "the file is open in another program; close it there and try again");
    EXPECT_EQ(interlock::testing::fileContents(target), "old");
    EXPECT_EQ(scratch.files().size(), 1u) << "no new file is left beside it";
    EXPECT_FALSE(replaceFile(target, "new"));
    EXPECT_EQ(interlock::testing::fileContents(target), "new");
}

TEST_F(FileReplaceWin, AReadOnlyFileIsRefused) {
    ASSERT_FALSE(replaceFile(target, "old"));
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(replaceFile(target, "new"), std::errc::permission_denied);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(interlock::testing::fileContents(target), "old");
    EXPECT_EQ(scratch.files().size(), 1u);
}

TEST_F(FileReplaceWin, AFolderOrAMissingFolderIsRefusedByName) {
    fs::create_directory(scratch.path / "dir.cfg");
    EXPECT_EQ(replaceFile(scratch.path / "dir.cfg", "new"), std::errc::is_a_directory);
    EXPECT_EQ(replaceFile(scratch.path / "none" / "unit.cfg", "new"),
              std::errc::no_such_file_or_directory);
    EXPECT_EQ(scratch.files().size(), 1u);
}

} // namespace
