#include "log/export_file.h"
#include "log/export_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <utility>

using namespace interlock;
namespace fs = std::filesystem;

namespace {
std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExportFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("export_file_test_" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    fs::path folder;
};
} // namespace

TEST(ExportText, FileNameFromLocalTimeAndRegistration) {
    EXPECT_EQ(exportFileName({17, 1, 5, 9, 7, 3}, "AB12"), "170105-090703-AB12.csv");
    EXPECT_EQ(exportFileName({17, 1, 5, 9, 7, 3}, ""), "170105-090703-.csv");
    EXPECT_EQ(exportFileName({26, 12, 6, 23, 59, 0}, "X 7"), "261206-235900-X 7.csv");
}

TEST(ExportText, OpeningBlockAndHeaderRows) {
    InfoRecord info;
    info.set_version(4, 5);
    DiagnosisRecord diagnosis;
    for (std::size_t i = 18; i <= 22; ++i)
        diagnosis.bytes[i] = static_cast<std::uint8_t>(i - 17); // 1..5
    LogHeader header;
    const std::string serials = "HS000001CB000002";
    std::copy(serials.begin(), serials.end(), header.bytes.begin());
    header.bytes[21] = 0x6D; // service period 365
    header.bytes[22] = 0x01;

    LogTexts texts;
    addOpeningBlock(texts, "AB12", info, diagnosis);
    addHeaderRows(texts, header, {17, 1, 5, 9, 7, 0});
    EXPECT_EQ(texts.file, "\nAB12\n\nPC Ver\t: 4.4\nFW Ver\t: 4.5\n\n"
                          "StartWithoutApproved : 4\nNoPower : 5\nStarter_Test_Fail : 3\n"
                          "Retest_Refuse : 1\nRetest_Fail : 2\n"
                          "\nHANDSET S/N  : HS000001\nCONTROLBOX S/N : CB000002\n"
                          "Service Date\t  : 17. 1. 5  9 : 7 \nService Period : 365 \n\n");
    std::string screen;
    for (const char c : texts.file)
        screen += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(texts.screen, screen);
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
    EXPECT_EQ(contentsOf(folder / "a.csv"), "one\r\ntwo\t\xB0\r\n\r\nx\r\n\r\ny\r\r\n");
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
    EXPECT_EQ(contentsOf(folder / "a.csv"), "old");
    {
        ExportFile abandoned;
        ASSERT_TRUE(abandoned.create(folder / "b.csv"));
        abandoned.write("half");
    }
    EXPECT_EQ(entries(), 1u) << "an unfinished file is removed with its owner";
    ExportFile file;
    ASSERT_TRUE(file.create(folder / "a.csv"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(contentsOf(folder / "a.csv"), "");
}

TEST_F(ExportFileTest, CreateFailsForANameWithAFolderThatDoesNotExist) {
    ExportFile file;
    EXPECT_FALSE(file.create(folder / "170105-090703-A/B.csv"));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(entries(), 0u);
}
