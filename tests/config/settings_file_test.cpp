#include "config/settings_file.h"

#include "child_process.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace interlock;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Records with a distinct value in every field the file holds.
ProgramState knownRecords() {
    ProgramState s;
    s.option.set_service_fix_date(0x0102);
    s.config.set_lock_out_warning(3);
    s.config.set_retest_min(4);
    s.config.set_retest_max(5);
    s.config.set_multi_retest_min(6);
    s.config.set_multi_retest_max(7);
    s.config.set_start_period(0x0908);
    s.config.set_restart_period(0x0B0A);
    s.config.set_first_blocking_time(12);
    s.config.set_second_blocking_time(13);
    s.option.set_test_unit(TestUnit{14});
    s.option.set_alarm_density(15);
    s.option.set_test_mode(16);
    s.option.set_blow_amount(17);
    s.config.set_circumvention_mode(18);
    s.config.set_quenlix_option(19);
    s.service.set_Override_fix_H(0x1514);
    for (std::size_t i = 0; i < 4; ++i)
        s.service.set_PinCode(i, static_cast<std::uint8_t>(22 + i));
    s.config.set_lock_out(1);
    s.gSensor.set_Sensitivity(3);
    return s;
}

const Bytes kKnownFile = {0x02, 0x01, 3,  4,  5,  6,  7,    0x08, 0x09, 0x0A, 0x0B, 12, 13,
                          14,   15,   16, 17, 18, 19, 0x14, 0x15, 22,   23,   24,   25};

Bytes fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t filesLeft() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder = fs::temp_directory_path() /
                      (std::string("settings_file_test_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ProgramState state = knownRecords();
};

TEST_F(SettingsFile, SaveThenLoadRestoresTheFieldsAndLeavesLockOutAndSensitivity) {
    const fs::path path = folder / "unit.cfg";
    ASSERT_TRUE(saveSettingsFile(path, settingsFileBytes(state)).ok);
    EXPECT_EQ(fileBytes(path), kKnownFile);
    EXPECT_EQ(filesLeft(), 1u); // no temporary file left beside it

    ProgramState loaded;
    loaded.config.set_lock_out(0);
    loaded.gSensor.set_Sensitivity(1);
    loaded.config.set_log_type(1);
    ASSERT_TRUE(loadSettingsFile(path, loaded).ok);
    EXPECT_EQ(settingsFileBytes(loaded), settingsFileBytes(state));
    EXPECT_EQ(loaded.config.lock_out(), 0);
    EXPECT_EQ(loaded.gSensor.Sensitivity(), 1);
    EXPECT_EQ(loaded.config.log_type(), 1);
}

TEST_F(SettingsFile, AShortFileChangesOnlyTheFieldsItCoversWhole) {
    // File length -> how many leading file bytes change (a cut field keeps its value).
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0},   {1, 0},   {2, 2},   {8, 7},
                                                         {12, 12}, {20, 19}, {22, 21}, {24, 21}};
    const Bytes other(kSettingsFileSize, 0xEE);
    for (const auto& [length, changed] : cases) {
        SCOPED_TRACE(length);
        ProgramState loaded = state;
        applySettingsFile(std::span(other).first(length), loaded);
        const SettingsFileBytes after = settingsFileBytes(loaded);
        for (std::size_t i = 0; i < kSettingsFileSize; ++i)
            EXPECT_EQ(after[i], i < changed ? 0xEE : kKnownFile[i]) << "byte " << i;
    }
}

TEST_F(SettingsFile, ALongerFileIsReadUpToItsTwentyFifthByte) {
    Bytes longer = kKnownFile;
    longer.resize(4096, 0xAB);
    writeBytes(folder / "long.cfg", longer);
    ProgramState loaded;
    ASSERT_TRUE(loadSettingsFile(folder / "long.cfg", loaded).ok);
    EXPECT_EQ(settingsFileBytes(loaded), settingsFileBytes(state));
}

TEST_F(SettingsFile, CfgIsAppendedUnlessTheNameEndsInExactlyCfg) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a/unit", "/a/unit.cfg"},         {"/a/unit.cfg", "/a/unit.cfg"},
        {"/a/unit.CFG", "/a/unit.CFG.cfg"}, {"/a/unit.cfgx", "/a/unit.cfgx.cfg"},
        {"/a/cfg", "/a/cfg.cfg"},           {"/a/unit.cfg.", "/a/unit.cfg..cfg"},
    };
    for (const auto& [chosen, saved] : cases)
        EXPECT_EQ(settingsFilePath(chosen), fs::path(saved)) << chosen;
}

TEST_F(SettingsFile, FailedSavesReportTheCauseAndKeepTheOldFile) {
    const fs::path path = folder / "unit.cfg";
    writeBytes(path, {1, 2, 3});
    const FileOutcome missing =
        saveSettingsFile(folder / "none" / "unit.cfg", settingsFileBytes(state));
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.report.find("No such file or directory"), std::string::npos);
    // A folder or a FIFO chosen as the file.
    fs::create_directory(folder / "dir.cfg");
    EXPECT_FALSE(saveSettingsFile(folder / "dir.cfg", settingsFileBytes(state)).ok);
    EXPECT_TRUE(fs::is_directory(folder / "dir.cfg"));
    ASSERT_EQ(::mkfifo((folder / "fifo.cfg").c_str(), 0600), 0);
    EXPECT_EQ(saveSettingsFile(folder / "fifo.cfg", settingsFileBytes(state)).report,
              "Could not save " + (folder / "fifo.cfg").string() +
                  ": it is a FIFO (named pipe), not a file.");
    EXPECT_TRUE(fs::is_fifo(folder / "fifo.cfg"));

    // The file size limit makes the write fail the way a full disk does.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileOutcome full = saveSettingsFile(path, settingsFileBytes(state));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(full.ok);
    EXPECT_NE(full.report.find(path.string() + ": File too large"), std::string::npos);
    EXPECT_EQ(fileBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(filesLeft(), 3u); // the old file, dir.cfg and fifo.cfg, no temporary file
}

TEST_F(SettingsFile, FailedLoadsReportAndChangeNothing) {
    const ProgramState before = state;
    const FileOutcome missing = loadSettingsFile(folder / "none.cfg", state);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.report.find("none.cfg"), std::string::npos);
    // A FIFO nobody writes to: opening it to read would wait for a writer for ever.
    const fs::path fifo = folder / "x.cfg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string refused = interlock::testing::runInChild([&] {
        ::alarm(5);
        ProgramState loaded;
        return loadSettingsFile(fifo, loaded).report;
    });
    EXPECT_EQ(refused,
              "Could not open " + fifo.string() + ": it is a FIFO (named pipe), not a file.");
    EXPECT_EQ(settingsFileBytes(state), settingsFileBytes(before));
}

TEST_F(SettingsFile, AnEmptyFileLoadsNothingAndSaysSo) {
    const ProgramState before = state;
    writeBytes(folder / "empty.cfg", {});
    const FileOutcome empty = loadSettingsFile(folder / "empty.cfg", state);
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.note,
              "Nothing was loaded: " + (folder / "empty.cfg").string() + " holds no settings.");
    EXPECT_EQ(settingsFileBytes(state), settingsFileBytes(before));
    // A short file loads the fields it covers, without a word.
    writeBytes(folder / "short.cfg", {0x34, 0x12, 9});
    const FileOutcome shortFile = loadSettingsFile(folder / "short.cfg", state);
    EXPECT_TRUE(shortFile.ok && shortFile.note.empty());
    EXPECT_EQ(state.option.service_fix_date(), 0x1234);
    EXPECT_EQ(state.config.lock_out_warning(), 9);
    EXPECT_EQ(state.config.retest_min(), before.config.retest_min());
}

// Permission bits bind only a process without the override capabilities, so these
// cases run in a child that dropped them.
TEST_F(SettingsFile, PermissionRefusalsAreNamedAndLeaveEveryFileAsItWas) {
    const fs::path kept = folder / "kept.cfg";
    const fs::path locked = folder / "locked.cfg";
    writeBytes(kept, {1, 2, 3});
    writeBytes(locked, kKnownFile);
    fs::permissions(locked, fs::perms::none);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string outcome = interlock::testing::runInChild([&] {
        if (!interlock::testing::obeyFilePermissions())
            return std::string("no privileges dropped");
        ProgramState loaded;
        const ProgramState before = loaded;
        const FileOutcome unreadable = loadSettingsFile(locked, loaded);
        const bool unchanged = settingsFileBytes(loaded) == settingsFileBytes(before);
        return unreadable.report + "|" + std::to_string(unchanged) + "|" +
               saveSettingsFile(kept, settingsFileBytes(state)).report + "|" +
               saveSettingsFile(folder / "new.cfg", settingsFileBytes(state)).report;
    });
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(outcome, "Could not open " + locked.string() + ": Permission denied.|1|" +
                           "Could not save " + kept.string() + ": Permission denied.|" +
                           "Could not save " + (folder / "new.cfg").string() +
                           ": Permission denied.");
    EXPECT_EQ(fileBytes(kept), (Bytes{1, 2, 3}));
    EXPECT_EQ(filesLeft(), 2u);
}

} // namespace
