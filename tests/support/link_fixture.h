#pragma once

#include "link/dispatcher_host.h"
#include "link/frame.h"
#include "link/program_state.h"
#include "link/response_dispatcher.h"
#include "link/trace.h"
#include "recording_channel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace interlock::testing {

// Collects trace lines for the life of the object.
class TraceCapture {
  public:
    TraceCapture() {
        setTraceSink([this](std::string_view line) { text.append(line); });
    }
    ~TraceCapture() { setTraceSink({}); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    int count(std::string_view needle) const;
    bool has(std::string_view needle) const { return count(needle) > 0; }
    std::string text;
};

// Scheduled tasks wait until the test runs them.
class FakeDispatcherHost : public DispatcherHost {
  public:
    struct Scheduled {
        int ms;
        std::function<void()> task;
    };
    void later(int ms, std::function<void()> task) override {
        scheduled.push_back({ms, std::move(task)});
    }
    CivilTime utcNow() override { return now; }
    void showVersionNotice() override { ++versionNotices; }
    void calibrationStatusStored() override { ++calibrationReports; }
    void calibrationValueStored() override { ++calibrationReports; }
    void refreshDiagnosisPage() override { ++diagnosisRefreshes; }
    void versionCheckAnswered() override { ++versionCheckAnswers; }
    void logBytes(std::span<const std::uint8_t> bytes) override {
        logStream.insert(logStream.end(), bytes.begin(), bytes.end());
    }
    void firmwareBytes(ReceiveRing& ring) override {
        ++firmwareCalls;
        firmwarePending = ring.pending;
    }
    // Runs everything scheduled so far, in order.
    void runScheduled();

    CivilTime now;
    std::vector<Scheduled> scheduled;
    int versionNotices = 0;
    int calibrationReports = 0;
    int diagnosisRefreshes = 0;
    int versionCheckAnswers = 0;
    int firmwareCalls = 0;
    std::uint16_t firmwarePending = 0;
    Bytes logStream;
};

// A frame as the interlock sends it.
Bytes frameOf(std::uint8_t code, const Bytes& payload = {});
// The same frame with its CRC low byte damaged.
Bytes withBadCrc(Bytes frame);
Bytes concat(std::initializer_list<Bytes> parts);
// Payload of `size` bytes counting up from `first`.
Bytes counting(std::size_t size, std::uint8_t first = 1);
// The interlock's answer to the read `requestCode`: its record whole, counting up
// from `first`.
Bytes answerTo(std::uint8_t requestCode, std::uint8_t first = 1);
// The same answer cut to one payload byte, which the dispatcher drops as short.
Bytes shortAnswerTo(std::uint8_t requestCode);

// Program state wired to a recording channel and a dispatcher with a fake host.
template <typename Host> class LinkTestWith : public ::testing::Test {
  protected:
    LinkTestWith() { state.link.setChannel(&channel); }
    void feed(const Bytes& bytes) { dispatcher.onBytes(bytes); }
    // The frame of the last write, or empty.
    Bytes lastWrite() const { return channel.writes.empty() ? Bytes{} : channel.writes.back(); }

    ProgramState state;
    RecordingChannel channel;
    Host host;
    ResponseDispatcher dispatcher{state, host};
    TraceCapture traces;
};
using LinkTest = LinkTestWith<FakeDispatcherHost>;

} // namespace interlock::testing
