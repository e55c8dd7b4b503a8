#include "app/user_accounts.h"
#include "child_process.h"
#include "link_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace interlock {
namespace {

namespace fs = std::filesystem;
constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

class UserFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("user_file_") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "user.txt";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string content() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    UserAccounts loaded(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        UserAccounts accounts(path);
        accounts.load();
        return accounts;
    }
    // "user1\tpass1\r\n" ... for n accounts.
    static std::string accountLines(int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += userFileLine({"user" + std::to_string(i), "pass" + std::to_string(i)});
        return text;
    }

    fs::path dir;
    fs::path path;
    testing::TraceCapture traces;
};

TEST_F(UserFile, WordsAreTakenInPairsWhateverTheLayout) {
    const UserAccounts lines = loaded("alice\tsecret\r\nbob\tpw2\r\n");
    EXPECT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.table(), loaded("alice secret  bob\tpw2").table());
    EXPECT_TRUE(traces.has("cnt : [20]  \r\n"));

    EXPECT_EQ(loaded(accountLines(21)).count(), 20);
    const UserAccounts odd = loaded("alice secret carol " + std::string(80, 'x'));
    EXPECT_EQ(odd.count(), 2);
    EXPECT_EQ(odd.table()[1].password, std::string(kUserFieldMax, 'x'));
}

// Traces are collected in logs: a load names each account, its password only masked.
TEST_F(UserFile, LoadTracesNamesButNeverPasswords) {
    loaded("alice secret\r\nbob x\r\ncarol");
    EXPECT_TRUE(traces.has("user_cnt = 2\r\n"));
    EXPECT_TRUE(traces.has("cnt : [01] alice ********\r\n"));
    EXPECT_TRUE(traces.has("cnt : [02] bob ********\r\n"));
    EXPECT_TRUE(traces.has("cnt : [03] carol \r\n"));
    EXPECT_FALSE(traces.has("secret"));
    EXPECT_FALSE(traces.has(" x\r\n"));
}

TEST_F(UserFile, MissingFileIsCreatedEmptyForItsOwnerOnly) {
    UserAccounts accounts(path);
    accounts.load();
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, kOwnerOnly);
    EXPECT_EQ(accounts.count(), 0);
    EXPECT_TRUE(traces.has("load_user_file create success\r\n"));
}

// The table is empty after a failed read: a rewrite from it would drop every account.
TEST_F(UserFile, UnreadableFileIsReportedAndNeverRewritten) {
    std::ofstream(path, std::ios::binary) << accountLines(3);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::replace);
    const std::string outcome = testing::runInChild([&] {
        if (!testing::obeyFilePermissions())
            return std::string("no privileges dropped");
        UserAccounts accounts(path);
        const std::string message = accounts.load();
        const DeleteVerdict verdict = accounts.deleteAccount(0, kMasterCode);
        return message + "|" + std::to_string(accounts.count()) + "|" + verdict.message + "|" +
               std::to_string(verdict.deleted);
    });
    fs::permissions(path, kOwnerOnly);
    EXPECT_EQ(outcome, "The user file " + path.string() +
                           " could not be read: Permission denied.|0|" + "The user file " +
                           path.string() +
                           " could not be read (Permission denied), so it is not rewritten: no "
                           "account was deleted.|0");
    EXPECT_EQ(content(), accountLines(3)) << "never truncated";
}

TEST_F(UserFile, ReadingStopsOnceTheTableIsFull) {
    // Far more than the table holds: only a reader that stops after twenty accounts
    // returns in time (the zero bytes after them cost no disk).
    std::ofstream(path, std::ios::binary) << accountLines(21);
    fs::resize_file(path, std::uintmax_t{64} << 30);
    const std::string outcome = testing::runInChild([&] {
        ::alarm(10); // a reader that goes on to the end is stopped here
        UserAccounts accounts(path);
        const std::string message = accounts.load();
        return message + "|" + std::to_string(accounts.count()) + "|" +
               accounts.table()[19].password;
    });
    EXPECT_EQ(outcome, "|20|pass20");
}

TEST_F(UserFile, AFifoInItsPlaceIsRefusedWithoutWaitingAndKept) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const std::string outcome = testing::runInChild([&] {
        ::alarm(5); // nobody writes to the FIFO: a reader of it would wait for ever
        UserAccounts accounts(path);
        const std::string message = accounts.load();
        const RegisterVerdict added = accounts.registerAccount("alice", "secret", kMasterCode);
        return message + "|" + std::to_string(added.closePage);
    });
    EXPECT_EQ(outcome, "The user file " + path.string() +
                           " could not be read: it is a FIFO (named pipe), not a file.|0");
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(UserFile, LoginMatchesExactlyAndNeverOnTwoEmptyBoxes) {
    const UserAccounts accounts = loaded("alice secret carol");
    EXPECT_EQ(accounts.loginMatches("alice", "secret"), std::vector<std::size_t>{0});
    EXPECT_TRUE(accounts.loginMatches("Alice", "secret").empty());
    EXPECT_TRUE(accounts.loginMatches("alice", "Secret").empty());
    EXPECT_TRUE(accounts.loginMatches("alice", "").empty());
    EXPECT_TRUE(accounts.loginMatches("", "").empty());
    // A trailing name without a password matches only an empty password.
    EXPECT_EQ(accounts.loginMatches("carol", ""), std::vector<std::size_t>{1});
}

TEST_F(UserFile, WrongMasterCodeIsReportedBeforeAnyOtherRefusal) {
    UserAccounts accounts = loaded("alice secret\r\n");
    const RegisterVerdict verdict = accounts.registerAccount("a b", "pw", "mstqxz402715");
    EXPECT_EQ(verdict.message, kMasterCodeMessage);
    EXPECT_TRUE(verdict.clearMasterCode);
    EXPECT_FALSE(verdict.closePage);
    EXPECT_TRUE(traces.text.ends_with("null string catch username\r\nMaster Code not equal\r\n"));
    EXPECT_EQ(content(), "alice secret\r\n");
}

TEST_F(UserFile, RefusalsAreSilentAndLeaveTheFile) {
    UserAccounts accounts = loaded(accountLines(2));
    const std::string tooLong(kUserFieldMax + 1, 'n');
    const std::vector<std::pair<std::string, std::string>> refused{
        {"", "pw"}, {"bob", ""}, {"bo b", "pw"}, {"bob", "p\tw"}, {tooLong, "pw"}, {"user1", "x"}};
    for (const auto& [name, password] : refused) {
        const RegisterVerdict verdict = accounts.registerAccount(name, password, kMasterCode);
        EXPECT_FALSE(verdict.closePage || verdict.clearMasterCode) << name;
        EXPECT_EQ(verdict.message, "") << name;
    }
    EXPECT_TRUE(traces.has("same user name exsist\r\n"));
    EXPECT_EQ(content(), accountLines(2));

    UserAccounts full = loaded(accountLines(20));
    EXPECT_FALSE(full.registerAccount("new", "pw", kMasterCode).closePage);
    EXPECT_EQ(content(), accountLines(20));
}

TEST_F(UserFile, RegisterAppendsALineAndReloads) {
    UserAccounts accounts = loaded("alice\tsecret"); // last line without its line end
    const RegisterVerdict verdict = accounts.registerAccount("bob", "pw2", kMasterCode);
    EXPECT_TRUE(verdict.closePage && verdict.clearAllBoxes);
    EXPECT_EQ(content(), "alice\tsecret\r\nbob\tpw2\r\n");
    EXPECT_EQ(accounts.loginMatches("bob", "pw2"), std::vector<std::size_t>{1});
    EXPECT_EQ(accounts.count(), 2);
}

TEST_F(UserFile, RegisterRefusesAFileThatDoesNotHoldPairs) {
    for (const std::string& damaged :
         {std::string("alice secret carol\r\n"), std::string("alice\tmy pass\r\n")}) {
        UserAccounts accounts = loaded(damaged);
        const RegisterVerdict verdict = accounts.registerAccount("bob", "pw2", kMasterCode);
        EXPECT_EQ(verdict.message, "The user file " + path.string() +
                                       " is damaged: it does not hold name and password pairs.");
        EXPECT_FALSE(verdict.closePage || verdict.clearAllBoxes);
        EXPECT_EQ(content(), damaged) << "nothing appended";
    }
}

TEST_F(UserFile, DeleteShiftsUpAndRewritesTwentyLines) {
    UserAccounts accounts = loaded(accountLines(5));
    fs::permissions(path, fs::perms::all);
    const DeleteVerdict verdict = accounts.deleteAccount(2, kMasterCode);
    EXPECT_TRUE(verdict.deleted && verdict.fileSaved);
    EXPECT_EQ(accounts.table()[2].name, "user4");
    EXPECT_EQ(accounts.table()[4], UserSlot{});

    std::string expected = userFileLine({"user1", "pass1"}) + userFileLine({"user2", "pass2"}) +
                           userFileLine({"user4", "pass4"}) + userFileLine({"user5", "pass5"});
    for (int i = 0; i < 16; ++i)
        expected += "\t\r\n";
    EXPECT_EQ(content(), expected);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, kOwnerOnly);
    EXPECT_FALSE(fs::exists(dir / "user.txt.tmp"));

    EXPECT_TRUE(accounts.deleteAccount(19, kMasterCode).deleted);
    EXPECT_EQ(accounts.table()[3].name, "user5");
}

TEST_F(UserFile, DeleteWithoutSelectionOrCodeChangesNothing) {
    UserAccounts accounts = loaded(accountLines(3));
    const std::string code(kMasterCode);
    for (const auto& [row, typed] : std::vector<std::pair<int, std::string>>{
             {kNoRowSelected, code}, {-1, code}, {0, "wrong"}}) {
        const DeleteVerdict verdict = accounts.deleteAccount(row, typed);
        EXPECT_FALSE(verdict.deleted);
        EXPECT_EQ(verdict.message, kMasterCodeMessage);
        EXPECT_TRUE(verdict.clearMasterCode);
    }
    EXPECT_EQ(traces.count("no select or master code check\r\n"), 3);
    EXPECT_EQ(content(), accountLines(3));
}

TEST_F(UserFile, FailedRewriteKeepsTheOldFile) {
    UserAccounts accounts = loaded(accountLines(3));
    // The file size limit makes the rewrite fail the way a full disk does.
    const std::string outcome = testing::runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 10;
        setrlimit(RLIMIT_FSIZE, &small);
        const DeleteVerdict verdict = accounts.deleteAccount(0, kMasterCode);
        return std::to_string(verdict.deleted) + std::to_string(verdict.fileSaved) +
               accounts.table()[0].name;
    });
    EXPECT_EQ(outcome, "10user2");
    EXPECT_EQ(content(), accountLines(3));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no temporary file is left";
}

} // namespace
} // namespace interlock
