// The program's link (frames, gatherer, dispatcher, program state) against
// interlock-sim over a real pseudo-terminal.
#include "link/codes.h"
#include "link/dispatcher_host.h"
#include "link/response_dispatcher.h"
#include "link/trace.h"
#include "sim/sim_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace interlock;

namespace {
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// The program's end of the line, raw, as the serial channel would set it.
class PtyLine : public ByteChannel {
  public:
    ~PtyLine() override {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool open(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (fd_ < 0 || tcgetattr(fd_, &tio) != 0)
            return false;
        cfmakeraw(&tio);
        return tcsetattr(fd_, TCSANOW, &tio) == 0;
    }
    void writeBytes(std::span<const std::uint8_t> bytes) override {
        ++writes;
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return;
            if (n > 0)
                bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
    }
    // One chunk as the channel would hand it over; empty when nothing came within `ms`.
    Bytes readChunk(int ms) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0)
            return {};
        Bytes chunk(4096);
        const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
        if (n <= 0) {
            hungUp_ = n == 0 || (errno != EAGAIN && errno != EINTR);
            if (hungUp_)
                ::usleep(ms * 1000); // a hung-up line polls ready at once
            return {};
        }
        chunk.resize(static_cast<std::size_t>(n));
        return chunk;
    }
    bool hungUp() const { return hungUp_; }
    int writes = 0; // frames the program sent

  private:
    int fd_ = -1;
    bool hungUp_ = false;
};

// Runs scheduled work at once: the tests only care about its order.
class ImmediateHost : public DispatcherHost {
  public:
    void later(int, std::function<void()> task) override { tasks.push_back(std::move(task)); }
    CivilTime utcNow() override { return CivilTime{2026, 12, 6, 10, 0, 0}; }
    void logBytes(std::span<const std::uint8_t> bytes) override {
        log.insert(log.end(), bytes.begin(), bytes.end());
    }
    void runTasks() {
        auto due = std::move(tasks);
        for (auto& task : due)
            task();
    }
    std::vector<std::function<void()>> tasks;
    Bytes log;
};

class LinkAgainstSimulator : public ::testing::Test {
  protected:
    void SetUp() override {
        setTraceSink([this](std::string_view line) { traces += line; });
    }
    void TearDown() override { setTraceSink(nullptr); }

    void start(std::vector<std::string> args) {
        args.push_back("--no-pacing");
        ASSERT_TRUE(sim.start(args)) << sim.error();
        ASSERT_TRUE(line.open(sim.portPath()));
        state.link.setChannel(&line);
    }
    // Feeds what arrives to the dispatcher until `done` holds or `ms` pass.
    bool pumpUntil(const std::function<bool()>& done, int ms = 2000) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (Clock::now() >= deadline)
                return false;
            const Bytes chunk = line.readChunk(20);
            if (!chunk.empty())
                dispatcher.onBytes(chunk);
            host.runTasks();
        }
        return true;
    }
    void pumpFor(int ms) {
        pumpUntil([] { return false; }, ms);
    }
    // Sends a read and waits for its answer to be stored.
    bool read(std::uint8_t code, const Bytes& payload = {}) {
        const std::uint8_t awaited = awaitedResponse(code);
        const std::uint32_t before = state.answersReceived[awaited];
        state.link.send(code, payload);
        return pumpUntil([&] { return state.answersReceived[awaited] != before; });
    }
    std::string tempFile(const std::string& name) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto path = std::filesystem::temp_directory_path() /
                          (std::string("interlock-e2e-") + test->name() + "-" + name);
        std::filesystem::remove(path);
        return path.string();
    }

    sim::SimProcess sim;
    PtyLine line;
    ProgramState state;
    ImmediateHost host;
    ResponseDispatcher dispatcher{state, host};
    std::string traces;
};
} // namespace

TEST_F(LinkAgainstSimulator, UnsetUnitIsWrittenToPart2AndOpensThePart2Menu) {
    start({"--part", "0"});
    state.link.send(request::Connect, Bytes{0x01});
    ASSERT_TRUE(pumpUntil([&] { return state.dlg_enum != PageRequest::None; }));
    EXPECT_EQ(state.dlg_enum, PageRequest::MainPart2);
    // The device now holds the written identity.
    ASSERT_TRUE(read(request::Connect, {0x01}));
    EXPECT_EQ(state.identity.Part_type_f(), 2);
    EXPECT_EQ(state.identity.handset_serial(), "HS000123");
}

TEST_F(LinkAgainstSimulator, ProductLineChoosesThePage) {
    for (const auto& [part, page] :
         {std::pair{"1", PageRequest::SoftwareChange}, {"2", PageRequest::MainPart2}}) {
        sim::SimProcess unit;
        ASSERT_TRUE(unit.start({"--part", part, "--no-pacing"})) << unit.error();
        PtyLine unitLine;
        ASSERT_TRUE(unitLine.open(unit.portPath()));
        ProgramState fresh;
        ResponseDispatcher freshDispatcher(fresh, host);
        fresh.link.setChannel(&unitLine);
        fresh.link.send(request::Connect, Bytes{0x01});
        for (int i = 0; i < 100 && fresh.dlg_enum == PageRequest::None; ++i) {
            const Bytes chunk = unitLine.readChunk(20);
            if (!chunk.empty())
                freshDispatcher.onBytes(chunk);
        }
        EXPECT_EQ(fresh.dlg_enum, page) << "PART " << part;
    }
}

TEST_F(LinkAgainstSimulator, EveryRecordIsRead) {
    start({"--firmware", "4.3", "--counters", "9,8,7,6,5"});
    for (const std::uint8_t code : {request::ReadOption, request::ReadConfig, request::ReadService,
                                    request::ReadGSensor, request::ReadInfo, request::WholeRead})
        EXPECT_TRUE(read(code)) << "request 0x" << std::hex << int(code);
    EXPECT_TRUE(read(request::DiagnosisControl, {1, 0, 0}));
    EXPECT_EQ(state.option.test_unit(), TestUnit::PercentBac);
    EXPECT_EQ(state.config.log_type(), 1);
    EXPECT_EQ(state.service.PinCode(3), 4);
    EXPECT_EQ(state.gSensor.Sensitivity(), 2);
    EXPECT_EQ(state.Log_FW_Check, 0x0403u);
    EXPECT_NE(traces.find("size = 19 10 19 13\r\n"), std::string::npos);
    EXPECT_EQ(state.diagnosis.StartWithoutApproved(), 6);
    EXPECT_EQ(state.diagnosis.u8(3), 26) << "the device clock runs in the report";
}

TEST_F(LinkAgainstSimulator, WrittenRecordReadsBack) {
    const std::string stateFile = tempFile("state");
    start({"--state", stateFile});
    ASSERT_TRUE(read(request::ReadConfig));
    Te_Config_Data_t written = state.config;
    written.set_retest_min(7);
    written.set_start_period(500);
    state.link.send(request::WriteConfig, written.view());
    pumpUntil([&] { return traces.find("ACK\r\n") != std::string::npos; }, 500);
    state.config = Te_Config_Data_t{};
    ASSERT_TRUE(read(request::ReadConfig));
    EXPECT_EQ(state.config, written);

    // The state file carries it into the next run.
    sim.stop();
    sim::SimProcess again;
    ASSERT_TRUE(again.start({"--state", stateFile, "--no-pacing"}));
    PtyLine againLine;
    ASSERT_TRUE(againLine.open(again.portPath()));
    state.link.setChannel(&againLine);
    state.config = Te_Config_Data_t{};
    state.link.send(request::ReadConfig);
    for (int i = 0; i < 100 && state.config.start_period() == 0; ++i)
        if (const Bytes chunk = againLine.readChunk(20); !chunk.empty())
            dispatcher.onBytes(chunk);
    EXPECT_EQ(state.config, written);
    std::filesystem::remove(stateFile);
}

TEST_F(LinkAgainstSimulator, DamagedAnswerIsIgnoredAndTheOldRecordKept) {
    start({"--bad-crc", "0x62:2"});
    ASSERT_TRUE(read(request::ReadOption));
    const Te_Option_t before = state.option;
    Te_Option_t changed = before;
    changed.set_test_unit(TestUnit::MgPerL);
    state.link.send(request::WriteOption, changed.view());
    pumpFor(100);
    state.link.send(request::ReadOption);
    ASSERT_TRUE(pumpUntil([&] { return traces.find("crc error clear") != std::string::npos; }));
    EXPECT_NE(traces.find("TE_OPTION crc not equal\r\n"), std::string::npos);
    EXPECT_EQ(state.option, before);
    ASSERT_TRUE(read(request::ReadOption));
    EXPECT_EQ(state.option, changed);
}

TEST_F(LinkAgainstSimulator, ShortIdentityAnswerOpensNothingAndLeavesTheUnitAsItIs) {
    start({"--part", "0", "--short-answer", "0x60:1"});
    state.link.send(request::Connect, Bytes{0x01});
    pumpFor(300);
    EXPECT_NE(traces.find("short answer 0x60: 1 of 19 bytes\r\n"), std::string::npos);
    EXPECT_EQ(state.dlg_enum, PageRequest::None);
    EXPECT_EQ(line.writes, 1) << "nothing written back";

    // The whole answer of the next connect is acted on; the unit keeps its serials.
    state.link.send(request::Connect, Bytes{0x01});
    ASSERT_TRUE(pumpUntil([&] { return state.dlg_enum != PageRequest::None; }));
    ASSERT_TRUE(read(request::Connect, {0x01}));
    EXPECT_EQ(state.identity.Part_type_f(), 2);
    EXPECT_EQ(state.identity.handset_serial(), "HS000123");
}

TEST_F(LinkAgainstSimulator, UnaskedCalibrationValueChangesNothingButTheTrace) {
    start({"--unasked-cal-value", "0x60:1"});
    ASSERT_TRUE(read(request::Connect, {0x01}));
    pumpFor(300);
    EXPECT_NE(traces.find("calibration report 0x16 without a calibration\r\n"), std::string::npos);
    EXPECT_EQ(state.calVerdict, CalVerdict::None);
    EXPECT_EQ(state.calValue, CalValueRecord{});
    EXPECT_EQ(line.writes, 1) << "no echo";
}

TEST_F(LinkAgainstSimulator, GarbageIsDroppedAndTheNextFrameStillTaken) {
    start({"--garbage", "0x65:1"});
    ASSERT_TRUE(read(request::ReadInfo));
    EXPECT_EQ(state.info.major(), 4);
    EXPECT_FALSE(state.ring.hasUnconsumed());
}

TEST_F(LinkAgainstSimulator, LogIsReceivedByteForByteAndAStallLeavesItShort) {
    const std::string served = tempFile("served");
    start({"--log-count", "12", "--served-log", served, "--stall-log", "60"});
    state.logDownload = true;
    state.link.send(request::ReadLog, Bytes{1, 0, 0, 0, 0});
    ASSERT_TRUE(pumpUntil([&] { return host.log.size() == 27; }));
    state.link.send(request::ReadLog, Bytes{2, 0, 0, 0, 0});
    pumpFor(300);
    EXPECT_EQ(host.log.size(), 27u + 60u) << "nothing after the stall";

    std::ifstream file(served, std::ios::binary);
    const Bytes servedBytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(servedBytes.size(), 27u + 4u + 120u + 4u);
    EXPECT_EQ(host.log, Bytes(servedBytes.begin(), servedBytes.begin() + 87));
    std::filesystem::remove(served);
}

TEST_F(LinkAgainstSimulator, HangupEndsTheLineAfterTheAnswer) {
    start({"--hangup-after", "1"});
    ASSERT_TRUE(read(request::ReadInfo));
    EXPECT_TRUE(pumpUntil([&] { return line.hungUp(); }));
    EXPECT_EQ(sim.stop(), 0);
}
