#include "log/export_file.h"
#include "log/export_text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

using namespace interlock;
namespace fs = std::filesystem;

namespace {
class ExportFileTest : public ::testing::Test {
  protected:
    std::size_t entries() const { return scratch.files().size(); }
    interlock::testing::ScratchFolder scratch{"export-file"};
    const fs::path& folder = scratch.path;
};
} // namespace

TEST(ExportText, FileNameFromLocalTimeAndRegistration) {
    EXPECT_EQ(exportFileName({17, 1, 5, 9, 7, 3}, "AB12"), "170105-090703-AB12.csv");
    EXPECT_EQ(exportFileName({17, 1, 5, 9, 7, 3}, ""), "170105-090703-.csv");
    EXPECT_EQ(exportFileName({26, 12, 6, 23, 59, 0}, "X 7"), "261206-235900-X 7.csv");
    // Characters no file name may hold, here or on Windows, are left out of the name.
    EXPECT_EQ(exportFileName({17, 1, 5, 9, 7, 3}, "<A/B\\:1|2?*\"\t>"),
              "170105-090703-_A_B__1_2_____.csv");
}

TEST(LogTexts, ScreenFormDropsTheCrOfEachCrLfInTheFileOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\r\nb", "a\nb"},       {"\r\n\r\n", "\n\n"}, {"\r\r\n", "\r\n"},
        {"x\r", "x\r"},           {"\n\r", "\n\r"},     {"", ""},
        {"\tEnd\r\n", "\tEnd\n"},
    };
    for (const auto& [piece, file] : cases) {
        LogTexts texts;
        texts.addRaw("<");
        texts.addScreenForm(piece);
        EXPECT_EQ(texts.screen, std::string("<") + piece);
        EXPECT_EQ(texts.file, std::string("<") + file) << piece;
    }
}

TEST_F(ExportFileTest, CommitWritesCrLfUnderTheFinalNameOnly) {
    ExportFile file;
    ASSERT_TRUE(file.create(folder / "a.csv"));
    file.write("one\ntwo\t\xB0\n");
    for (const char* piece : {"", "\n", "x", "\n\ny\r\n"})
        file.write(piece);
    EXPECT_EQ(entries(), 0u) << "nothing is on disk before the commit";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(interlock::testing::fileContents(folder / "a.csv"),
              "one\r\ntwo\t\xB0\r\n\r\nx\r\n\r\ny\r\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ExportFileTest, CommitReplacesAnOldFileAndDiscardLeavesNothing) {
    std::ofstream(folder / "a.csv") << "old";
    {
        ExportFile file;
        ASSERT_TRUE(file.create(folder / "a.csv"));
        file.write("new\n");
        file.discard();
    }
    EXPECT_EQ(interlock::testing::fileContents(folder / "a.csv"), "old");
    {
        ExportFile abandoned;
        ASSERT_TRUE(abandoned.create(folder / "b.csv"));
        abandoned.write("half");
    }
    EXPECT_EQ(entries(), 1u) << "an unfinished file is removed with its owner";
    ExportFile file;
    ASSERT_TRUE(file.create(folder / "a.csv"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(interlock::testing::fileContents(folder / "a.csv"), "");
}

TEST_F(ExportFileTest, CreateFailsForANameWithAFolderThatDoesNotExist) {
    ExportFile file;
    EXPECT_FALSE(file.create(folder / "170105-090703-A/B.csv"));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(entries(), 0u);
}
