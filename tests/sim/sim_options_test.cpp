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
