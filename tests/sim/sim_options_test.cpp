#include "sim/device_model.h"
#include "sim/sim_options.h"
#include "sim/state_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace interlock;
using namespace interlock::sim;

namespace {
std::optional<SimConfig> configFrom(const std::vector<std::string>& args, std::string& error) {
    const std::optional<SimOptions> options = parseOptions(args, error);
    if (!options)
        return std::nullopt;
    return buildConfig(*options, CivilTime{2026, 12, 6, 12, 0, 0}, error);
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            (name + std::to_string(::testing::UnitTest::GetInstance()->random_seed())))
        .string();
}
} // namespace

TEST(SimOptions, SetRecordsFaultsAndBehaviour) {
    std::string error;
    const auto config = configFrom(
        words("--part 1 --dut 2 --firmware 4.2 --handset-serial H1234567 --counters 1,2,3,4,5 "
              "--log-count 7 --no-pacing --bad-crc 0x62:2 --refuse 0x50 --stall-log 30:500 "
              "--empty-header ffffffff --cal-outcome fail-second --gsensor 0300000000"),
        error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->records.identity.Part_type_f(), 1);
    EXPECT_EQ(config->records.config.log_type(), 0) << "a PART 1 unit words its log for PART 1";
    EXPECT_EQ(config->records.identity.DUT(), 2);
    EXPECT_EQ(config->records.identity.handset_serial(), "H1234567");
    EXPECT_EQ(config->records.firmwareVersion(), 0x0402u);
    EXPECT_EQ(config->records.counters[4], 5);
    EXPECT_EQ(config->records.log.size(), 7u);
    EXPECT_EQ(config->records.gSensor.Sensitivity(), 3);
    EXPECT_EQ(config->bytesPerSecond, 0);
    ASSERT_TRUE(config->faults.badCrc);
    EXPECT_EQ(config->faults.badCrc->nth, 2u);
    ASSERT_TRUE(config->faults.refuseRequest);
    EXPECT_EQ(config->faults.refuseRequest->code, 0x50);
    EXPECT_EQ(config->faults.refuseRequest->nth, 1u);
    EXPECT_EQ(config->faults.stallFor, msec(500));
    EXPECT_EQ(config->header, HeaderMode::EmptyAllOnes);
    EXPECT_EQ(config->calOutcome, CalOutcome::FailSecond);
    EXPECT_EQ(config->clockStart, (CivilTime{2026, 12, 6, 12, 0, 0}));

    const auto paced = configFrom({}, error);
    ASSERT_TRUE(paced);
    EXPECT_EQ(paced->bytesPerSecond, kLineBytesPerSecond);
    EXPECT_EQ(paced->records.config.log_type(), 1);
}

TEST(SimOptions, RefuseWhatCannotBeUsed) {
    for (const char* line :
         {"--nope", "--part", "--part x", "--dut 300", "--handset-serial SHORT", "--option 0102",
          "--counters 1,2,3", "--firmware 4", "--bad-crc 0x62:0"}) {
        std::string error;
        EXPECT_FALSE(parseOptions(words(line), error)) << line;
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(parseOptions({"--clock", "2026-13-01 00:00:00"}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(helpText().find("--stall-log"), std::string::npos);
}

TEST(StateFile, KeepsWritesAndLogAcrossRunsAndRefusesForeignFiles) {
    const std::string path = tempPath("interlock-sim-state-");
    std::filesystem::remove(path);
    std::string error;
    auto first = configFrom({"--state", path, "--log-count", "3"}, error);
    ASSERT_TRUE(first) << error;
    first->records.option.set_test_unit(TestUnit::MgPer100ml);
    ASSERT_TRUE(saveState(path, first->records));

    const auto second = configFrom({"--state", path, "--dut", "2"}, error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(second->records.option.test_unit(), TestUnit::MgPer100ml);
    EXPECT_EQ(second->records.log, first->records.log) << "no --log-count: the stored log stays";
    EXPECT_EQ(second->records.identity.DUT(), 2) << "options go on top of the state";

    std::ofstream(path, std::ios::trunc) << "ISIM garbage";
    EXPECT_FALSE(configFrom({"--state", path}, error));
    EXPECT_NE(error.find("not a simulator state file"), std::string::npos);
    std::filesystem::remove(path);
}
