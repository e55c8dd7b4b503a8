#pragma once

#include "link/formatted.h"
#include "sim/diagnosis_report.h"
#include "sim/firmware_loader.h"
#include "sim/output_queue.h"
#include "sim/request_reader.h"
#include "sim/sim_config.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace interlock::sim {

// The simulated interlock: takes the bytes the program sends and produces the
// device's answers, each at its moment on the caller's clock. Nothing here sleeps
// or touches a port, so a test can drive it byte by byte.
class DeviceModel {
  public:
    enum class Mode { Normal, Loader, LoaderRefusing, Rebooting };

    explicit DeviceModel(SimConfig config, SimHooks hooks = {});

    void receive(std::span<const std::uint8_t> bytes, SimTime now);
    // The bytes the device has sent by `now`, faults applied.
    std::vector<std::uint8_t> take(SimTime now);
    // When there may be something to take or to do next.
    std::optional<SimTime> nextWake() const;
    // The device has dropped the line (a fault) and sent everything before that.
    bool hungUp() const { return hangupPending_ && output_.empty(); }

    const DeviceRecords& records() const { return records_; }
    Mode mode() const { return mode_; }
    CivilTime clockAt(SimTime now) const;
    // Calibration answers of the program: time answers (0x21) and value echoes (0x16).
    std::uint32_t timeAnswers() const { return timeAnswers_; }
    const std::vector<std::vector<std::uint8_t>>& valueEchoes() const { return valueEchoes_; }
    const DiagnosisSwitches& switches() const { return switches_; }

    // Loader timings.
    static constexpr SimTime kLoaderStart = msec(200);
    static constexpr SimTime kReadySplitGap = msec(30);
    static constexpr SimTime kReboot = msec(500);
    static constexpr SimTime kLoaderRetry = msec(16000);
    static constexpr SimTime kLoaderStall = msec(3000);
    static constexpr SimTime kGarbageGap = msec(50);
    // A waiting loader says "Ready\r\n" again after this long without a byte.
    static constexpr SimTime kReadyRepeat = msec(1000);

  private:
    enum Tag { TagNone = 0, TagCalibration = 1, TagLoader = 2 };

    void runDue(SimTime now);
    void at(SimTime when, std::function<void(SimTime)> action);
    void handle(const Request& request, SimTime now);
    bool handleWrite(const Request& request, SimTime now);
    void obeyPairingCommand();
    void answer(SimTime now, std::uint8_t code, std::span<const std::uint8_t> payload = {},
                SimTime delay = SimTime{});
    void acknowledge(SimTime now);
    void refuse(SimTime now);
    // True for the request the refusal fault picks: it is answered with NACK only.
    bool refusedByFault(const Request& request);
    void serveLog(const Request& request, SimTime now);
    void startCalibration(const Request& request, SimTime now);
    void diagnosis(const Request& request, SimTime now);
    void enterLoader(SimTime now);
    void announceReady(SimTime now);
    // While the device waits in its loader, "Ready\r\n" comes again whenever the
    // line has been quiet for kReadyRepeat.
    void repeatReady(SimTime from);
    void loaderBytes(std::span<const std::uint8_t> bytes, SimTime now);
    // The loader ignores everything for `pause`, then says "Ready\r\n" again.
    void loaderSilent(SimTime now, SimTime pause);
    void reboot(SimTime now);
    void changed();
    void note(const char* format, ...) __attribute__((format(INTERLOCK_PRINTF_FORMAT, 2, 3)));

    SimConfig config_;
    SimHooks hooks_;
    DeviceRecords records_;
    Mode mode_ = Mode::Normal;
    RequestReader reader_;
    OutputQueue output_;
    FirmwareLoader loader_;
    SimTime lastLoaderByte_{};
    std::multimap<SimTime, std::function<void(SimTime)>> actions_;

    CivilTime clockBase_;
    SimTime clockSetAt_{};
    DiagnosisSwitches switches_;
    std::uint32_t diagnosisCount_ = 0;
    std::uint32_t calibrationRun_ = 0;
    std::uint32_t timeAnswers_ = 0;
    std::vector<std::vector<std::uint8_t>> valueEchoes_;

    std::map<std::uint8_t, std::uint32_t> answersByCode_;
    std::uint32_t pickedRequests_ = 0;
    std::uint32_t framesSent_ = 0;
    std::uint64_t bytesSent_ = 0;
    bool hangupPending_ = false;
};

} // namespace interlock::sim
