#include "app/user_accounts.h"
#include "app/user_file_place.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace interlock {
namespace {

namespace fs = std::filesystem;

class UserFilePlace : public ::testing::Test {
  protected:
    void SetUp() override {
        home = fs::temp_directory_path() /
               (std::string("user_file_place_") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
    }
    void TearDown() override { fs::remove_all(home); }

    static void write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path newFile() const { return home / "interlock-service" / "user.txt"; }
    fs::path oldFile() const {
        return home / "Local AppWizard-Generated Applications" / "Quenlix_Interlock" / "user.txt";
    }

    fs::path home;
    testing::TraceCapture traces;
};

TEST_F(UserFilePlace, FirstStartGetsTheFolderAndLeavesTheFileToTheAccounts) {
    EXPECT_EQ(placeUserFile(home), newFile());
    EXPECT_TRUE(fs::is_directory(newFile().parent_path()));
    EXPECT_FALSE(fs::exists(newFile()));
    EXPECT_EQ(traces.text, "");
}

TEST_F(UserFilePlace, AccountsOfTheEarlierPlaceAreCopiedOnceOwnerOnly) {
    const std::string accounts = "alice\tsecret\r\nbob\tpw2\r\n";
    write(oldFile(), accounts);
    fs::permissions(oldFile(), fs::perms::all);

    ASSERT_EQ(placeUserFile(home), newFile());
    EXPECT_EQ(read(newFile()), accounts);
    EXPECT_EQ(fs::status(newFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read(oldFile()), accounts) << "the earlier file stays for an older version";
    EXPECT_TRUE(traces.has("User file copied from " + oldFile().string() + " to " +
                           newFile().string() + "\r\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator(newFile().parent_path()), {}), 1)
        << "no temporary file is left";

    UserAccounts loaded(placeUserFile(home));
    loaded.load();
    EXPECT_EQ(loaded.loginMatches("bob", "pw2"), std::vector<std::size_t>{1});
}

TEST_F(UserFilePlace, AFileInTheNewPlaceIsNeverReplaced) {
    write(oldFile(), "old\tone\r\n");
    for (const std::string current : {"new\tone\r\n", ""}) {
        write(newFile(), current);
        EXPECT_EQ(placeUserFile(home), newFile());
        EXPECT_EQ(read(newFile()), current);
    }
    EXPECT_FALSE(traces.has("User file"));
}

TEST_F(UserFilePlace, AccountsThatCannotBeBroughtOverAreUsedWhereTheyAre) {
    write(oldFile(), "alice\tsecret\r\n");
    write(home / "interlock-service", "a file where the folder belongs");
    EXPECT_EQ(placeUserFile(home), oldFile());
    EXPECT_TRUE(traces.has("User file not copied from " + oldFile().string()));
    EXPECT_EQ(read(oldFile()), "alice\tsecret\r\n");
}

TEST_F(UserFilePlace, AFolderWhereTheEarlierFileWasIsNotTakenForAccounts) {
    fs::create_directories(oldFile());
    EXPECT_EQ(placeUserFile(home), newFile());
    EXPECT_FALSE(fs::exists(newFile()));
}

TEST_F(UserFilePlace, DemoFileHoldsTheDemoAccountOrSaysWhyNot) {
    const DemoUserFile demo = writeDemoUserFile(home);
    EXPECT_EQ(demo.failure, "");
    EXPECT_EQ(read(demo.path), "demo\tdemo\r\n");
    EXPECT_EQ(fs::status(demo.path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    write(home / "not-a-folder", "");
    const DemoUserFile unwritable = writeDemoUserFile(home / "not-a-folder");
    EXPECT_EQ(unwritable.failure, "The demo user file " +
                                      (home / "not-a-folder" / "user.txt").string() +
                                      " could not be written: Not a directory.");
}

} // namespace
} // namespace interlock
