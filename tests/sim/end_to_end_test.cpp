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
#include <functional>
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
            if (n == 0 || (errno != EAGAIN && errno != EINTR))
                ::usleep(ms * 1000); // a hung-up line polls ready at once
            return {};
        }
        chunk.resize(static_cast<std::size_t>(n));
        return chunk;
    }

  private:
    int fd_ = -1;
};

// Runs scheduled work at once: the tests only care about its order.
class ImmediateHost : public DispatcherHost {
  public:
    void later(int, std::function<void()> task) override { tasks.push_back(std::move(task)); }
    CivilTime utcNow() override { return CivilTime{2026, 12, 6, 10, 0, 0}; }
    void runTasks() {
        auto due = std::move(tasks);
        for (auto& task : due)
            task();
    }
    std::vector<std::function<void()>> tasks;
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
