// The Win32 COM port against interlock-sim, whose pseudo-terminal Wine offers as a COM
// port. The test waits on the line's events as the program's event loop does.
#include "link/codes.h"
#include "link/frame.h"
#include "link/records.h"
#include "link/serial_line_win.h"
#include "sim/sim_process.h"
#include "under_wine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

using namespace interlock;

namespace {

constexpr DWORD kAnswerMs = 3000;
constexpr std::size_t kIdentity = IdentityRecord::size;
constexpr std::size_t kOption = Te_Option_t::size;
constexpr std::size_t kConfig = Te_Config_Data_t::size;

std::vector<std::uint8_t> frame(std::uint8_t code, std::vector<std::uint8_t> payload = {}) {
    std::vector<std::uint8_t> out(payload.size() + kFrameOverhead);
    out.resize(buildFrame(code, payload, out));
    return out;
}

class SerialLineWinTest : public ::testing::Test {
  protected:
    void startSim(const std::vector<std::string>& args = {}) {
        std::vector<std::string> all{"--no-pacing"};
        all.insert(all.end(), args.begin(), args.end());
        ASSERT_TRUE(sim_.start(all)) << sim_.error();
        ASSERT_EQ(line_.open(sim_.portPath()), "");
    }

    // Writes `bytes` and takes the write back once the port signals its end.
    LineWrite writeAll(std::span<const std::uint8_t> bytes) {
        LineWrite result = line_.write(bytes);
        while (!result.failed && line_.bytesToWrite() > 0 &&
               WaitForSingleObject(line_.writeEvent(), kAnswerMs) == WAIT_OBJECT_0) {
            const LineWrite ended = line_.writeEnded();
            result.written += ended.written;
            if (ended.failed)
                result = ended;
        }
        return result;
    }

    // Collects received bytes until `count` came, the port was lost or time is up.
    bool receive(std::size_t count, std::vector<std::uint8_t>& bytes, std::string& lost) {
        const ULONGLONG deadline = GetTickCount64() + kAnswerMs;
        while (bytes.size() < count && GetTickCount64() < deadline) {
            if (WaitForSingleObject(line_.receiveEvent(), 100) != WAIT_OBJECT_0)
                continue;
            if (!line_.takeReceived(bytes, lost))
                return false;
        }
        return true;
    }

    sim::SimProcess sim_;
    SerialLineWin line_;
};

TEST_F(SerialLineWinTest, AnswersArriveThroughTheReceiveEvent) {
    startSim();
    const std::vector<std::uint8_t> connect = frame(request::Connect, {0x01});
    EXPECT_EQ(writeAll(connect).written, connect.size());
    std::vector<std::uint8_t> got;
    std::string lost;
    ASSERT_TRUE(receive(kIdentity + kFrameOverhead, got, lost)) << lost;
    ASSERT_GE(got.size(), kIdentity + kFrameOverhead);
    EXPECT_EQ(got[0], 0x02);
    EXPECT_EQ(got[1], response::TE_ID);
    EXPECT_EQ(got[2], kIdentity);
}

TEST_F(SerialLineWinTest, WritesQueuedBehindAWriteUnderWayAllArriveInOrder) {
    startSim();
    // Reads queued one by one before the first has left, enough to move the queue's
    // storage while the port is still sending from it: each is answered, in order.
    const std::vector<std::uint8_t> option = frame(request::ReadOption);
    const std::vector<std::uint8_t> config = frame(request::ReadConfig);
    constexpr int kPairs = 20;
    EXPECT_EQ(line_.write(option).written, 0u); // taken back when the port is done
    std::size_t queued = option.size();
    for (int i = 0; i < 2 * kPairs - 1; ++i) {
        const auto& next = i % 2 == 0 ? config : option;
        EXPECT_FALSE(line_.write(next).failed);
        queued += next.size();
    }
    EXPECT_EQ(writeAll({}).written, queued);
    std::vector<std::uint8_t> got;
    std::string lost;
    const std::size_t pair = kOption + kFrameOverhead + kConfig + kFrameOverhead;
    ASSERT_TRUE(receive(kPairs * pair, got, lost)) << lost;
    ASSERT_EQ(got.size(), kPairs * pair);
    for (std::size_t at = 0; at < got.size(); at += pair) {
        EXPECT_EQ(got[at + 1], response::TE_OPTION) << "at " << at;
        EXPECT_EQ(got[at + kOption + kFrameOverhead + 1], response::TE_CONFIG_DATA) << "at " << at;
    }
}

TEST_F(SerialLineWinTest, AHungUpPortIsLostOnceAfterItsBytesWereTaken) {
    startSim({"--hangup-after", "1"});
    ASSERT_FALSE(writeAll(frame(request::Connect, {0x01})).failed);
    std::vector<std::uint8_t> got;
    std::string lost;
    receive(kIdentity + kFrameOverhead, got, lost);
    EXPECT_EQ(got.size(), kIdentity + kFrameOverhead) << "the answer sent before hanging up";
    // Wine's wait does not see a pseudo-terminal hang up; the next write does.
    Sleep(500);
    LineWrite write{};
    if (line_.isOpen())
        write = writeAll(frame(request::ReadOption));
    else
        write = {.lost = true, .why = lost};
    EXPECT_TRUE(write.lost);
    EXPECT_EQ(write.why, sim_.portPath() + " was closed or hung up (the adapter unplugged, or "
                                           "the far end closed the line).");
    EXPECT_FALSE(line_.isOpen());
    EXPECT_FALSE(line_.write(frame(request::ReadOption)).failed) << "a closed line takes writes";
}

TEST_F(SerialLineWinTest, ClosingWhileWaitingEndsTheWait) {
    startSim();
    const ULONGLONG before = GetTickCount64();
    line_.close(1000);
    EXPECT_LT(GetTickCount64() - before, 1500u);
    EXPECT_FALSE(line_.isOpen());
    EXPECT_EQ(WaitForSingleObject(line_.receiveEvent(), 200), static_cast<DWORD>(WAIT_TIMEOUT));
    std::vector<std::uint8_t> got;
    std::string lost;
    EXPECT_TRUE(line_.takeReceived(got, lost));
    EXPECT_TRUE(got.empty());
}

TEST_F(SerialLineWinTest, APortInUseIsRefusedByName) {
    // Wine opens a COM port twice however it is shared; Windows refuses the second.
    if (interlock::testing::underWine())
        GTEST_SKIP() << "Wine does not hold COM ports exclusively";
    startSim();
    SerialLineWin other;
    EXPECT_EQ(other.open(sim_.portPath()), sim_.portPath() + " is in use by another program.");
    EXPECT_FALSE(other.isOpen());
}

TEST(SerialLineWin, MissingPortsAreNamedAsTheListShowsThem) {
    SerialLineWin line;
    EXPECT_EQ(line.open("\\\\.\\COM199"), "COM199 does not exist (is the adapter plugged in?).");
    EXPECT_EQ(line.name(), "COM199");
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.write(frame(request::ReadOption)).failed);
}

} // namespace
