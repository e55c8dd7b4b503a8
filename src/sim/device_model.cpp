#include "sim/device_model.h"

#include "link/codes.h"
#include "link/frame.h"
#include "sim/event_log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace interlock::sim {

namespace {
// Calibration request modes.
constexpr std::uint8_t kCalibrate = 1;
constexpr std::uint8_t kCalibrationCheck = 3;
// Events the device writes to its own log after a calibration run.
constexpr std::uint8_t kEventBreathCalibration = 0x99;
constexpr std::uint8_t kEventCalibrationResult = 0xA9;
// Pairing command that wipes the unit's data.
constexpr std::uint8_t kPairDeletingAll = 5;

const std::vector<std::uint8_t> kGarbage{0x55, 0xAA, 0x00, 0x7E};
// The start of an identity frame announcing 200 payload bytes that never come.
const std::vector<std::uint8_t> kPartialFrame{0x02, 0x60, 0xC8};
// A final calibration reading of density 500, as if a calibration were running.
const std::vector<std::uint8_t> kUnaskedCalValue{0x01, 0xF4, 0x00, 0x00, 0x00, 0x00};

std::vector<std::uint8_t> frameBytes(std::uint8_t code, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> frame(payload.size() + kFrameOverhead);
    frame.resize(buildFrame(code, payload, frame));
    return frame;
}
} // namespace

DeviceModel::DeviceModel(SimConfig config, SimHooks hooks)
    : config_(std::move(config)), hooks_(std::move(hooks)), records_(config_.records),
      output_(config_.bytesPerSecond), clockBase_(config_.clockStart) {
    if (config_.loaderWaiting) {
        mode_ = Mode::Loader;
        announceReady(kLoaderStart);
        repeatReady(kLoaderStart);
    }
}

CivilTime DeviceModel::clockAt(SimTime now) const {
    return addSeconds(clockBase_,
                      std::chrono::duration_cast<std::chrono::seconds>(now - clockSetAt_).count());
}

void DeviceModel::at(SimTime when, std::function<void(SimTime)> action) {
    actions_.emplace(when, std::move(action));
}

void DeviceModel::runDue(SimTime now) {
    while (!actions_.empty() && actions_.begin()->first <= now) {
        auto action = std::move(actions_.begin()->second);
        const SimTime when = actions_.begin()->first;
        actions_.erase(actions_.begin());
        action(when);
    }
}

std::optional<SimTime> DeviceModel::nextWake() const {
    std::optional<SimTime> wake = output_.nextDue();
    if (!actions_.empty() && (!wake || actions_.begin()->first < *wake))
        wake = actions_.begin()->first;
    return wake;
}

std::vector<std::uint8_t> DeviceModel::take(SimTime now) {
    runDue(now);
    std::vector<std::uint8_t> out;
    for (std::uint8_t byte : output_.take(now)) {
        const std::uint64_t index = bytesSent_++;
        if (config_.faults.dropByte == index)
            continue;
        if (config_.faults.corruptByte == index)
            byte = static_cast<std::uint8_t>(~byte);
        out.push_back(byte);
    }
    return out;
}

void DeviceModel::receive(std::span<const std::uint8_t> bytes, SimTime now) {
    runDue(now);
    switch (mode_) {
    case Mode::Rebooting:
    case Mode::LoaderRefusing:
        return;
    case Mode::Loader:
        loaderBytes(bytes, now);
        return;
    case Mode::Normal:
        break;
    }
    for (const Request& request : reader_.feed(bytes, now)) {
        if (mode_ != Mode::Normal)
            break; // the rest of the chunk arrived while the device left normal service
        handle(request, now);
    }
}

void DeviceModel::note(const char* format, ...) {
    if (!hooks_.note)
        return;
    char line[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    hooks_.note(line);
}

void DeviceModel::changed() {
    if (hooks_.recordsChanged)
        hooks_.recordsChanged(records_);
}

void DeviceModel::answer(SimTime now, std::uint8_t code, std::span<const std::uint8_t> payload,
                         SimTime delay) {
    if (hangupPending_)
        return;
    const std::uint32_t nth = ++answersByCode_[code];
    const auto picked = [&](const std::optional<AnswerPick>& pick) {
        return pick && pick->code == code && pick->nth == nth;
    };
    if (picked(config_.faults.shortAnswer))
        payload = payload.first(std::min<std::size_t>(payload.size(), 1));
    std::vector<std::uint8_t> frame = frameBytes(code, payload);
    if (picked(config_.faults.badCrc))
        frame.back() = static_cast<std::uint8_t>(~frame.back());
    SimTime when = now + config_.latency + delay;
    for (const auto& [pick, stray] : {std::pair{&config_.faults.garbageBefore, &kGarbage},
                                      {&config_.faults.partialBefore, &kPartialFrame}}) {
        if (picked(*pick)) {
            output_.schedule(when, *stray);
            when += kGarbageGap;
        }
    }
    output_.schedule(when, std::move(frame), delay > SimTime{} ? TagCalibration : TagNone);
    if (picked(config_.faults.calValueAfter))
        output_.schedule(when + kGarbageGap,
                         frameBytes(response::RESPONSE_CAL_VALUE, kUnaskedCalValue));
    if (config_.faults.hangupAfter && ++framesSent_ >= *config_.faults.hangupAfter)
        hangupPending_ = true;
}

void DeviceModel::acknowledge(SimTime now) {
    if (config_.answerAck)
        answer(now, response::ACK);
}

void DeviceModel::refuse(SimTime now) {
    answer(now, response::NACK);
}

bool DeviceModel::refusedByFault(const Request& request) {
    const auto& pick = config_.faults.refuseRequest;
    return pick && pick->code == request.code && ++pickedRequests_ == pick->nth;
}

void DeviceModel::handle(const Request& request, SimTime now) {
    note("request 0x%02X, %zu bytes%s", request.code, request.payload.size(),
         request.crcGood ? "" : ", bad CRC");
    if (!request.crcGood || refusedByFault(request)) {
        refuse(now);
        return;
    }
    const std::uint8_t identityCode = config_.identityAlt ? response::TE_ID_ALT : response::TE_ID;
    switch (request.code) {
    case request::Connect:
    case request::Pairing:
        answer(now, identityCode, records_.identity.view());
        return;
    case request::ReadOption:
        answer(now, response::TE_OPTION, records_.option.view());
        return;
    case request::ReadConfig:
        answer(now, response::TE_CONFIG_DATA, records_.config.view());
        return;
    case request::ReadService:
        answer(now, response::TE_SERVICE, records_.service.view());
        return;
    case request::ReadInfo:
        answer(now, response::TE_INFO, records_.info.view());
        return;
    case request::ReadGSensor:
        answer(now, response::TE_G_SENSOR, records_.gSensor.view());
        return;
    case request::WholeRead:
        answer(now, response::PC_WHOLE_READ, wholeRecordImage(records_));
        return;
    case request::ReadLog:
        serveLog(request, now);
        return;
    case request::Calibrate:
        startCalibration(request, now);
        return;
    case request::DiagnosisControl:
        diagnosis(request, now);
        return;
    case request::FirmwareLoader:
        enterLoader(now);
        return;
    case request::CalibrationEnd:
        reboot(now);
        return;
    case request::TimeAnswer:
        ++timeAnswers_;
        return;
    case request::CalValueEcho:
        valueEchoes_.push_back(request.payload);
        return;
    default:
        if (!handleWrite(request, now))
            refuse(now);
    }
}

// Writes store their record when its length is right; false for a wrong length or
// an unknown code.
bool DeviceModel::handleWrite(const Request& request, SimTime now) {
    const std::span<const std::uint8_t> payload = request.payload;
    const auto store = [&](auto& record) {
        if (payload.size() != record.size)
            return false;
        record.assign(payload);
        return true;
    };
    bool stored = false;
    switch (request.code) {
    case request::WriteIdentity:
        stored = store(records_.identity);
        if (stored)
            obeyPairingCommand();
        break;
    case request::WriteConfig:
        stored = store(records_.config);
        break;
    case request::WriteService:
        stored = store(records_.service);
        break;
    case request::WriteOption:
        stored = store(records_.option);
        break;
    case request::WriteGSensor:
        stored = store(records_.gSensor);
        break;
    case request::WriteClock:
        if (payload.size() == ClockRecord::size) {
            clockBase_ = CivilTime{2000 + payload[0], payload[1], payload[2],
                                   payload[3],        payload[4], payload[5]};
            clockSetAt_ = now;
            stored = true;
        }
        break;
    case request::DeleteLog:
        records_.log.clear();
        records_.counters = {};
        stored = true;
        break;
    case request::FirmwareStart: {
        // Factory defaults with the product line unset; serials, unit, firmware and
        // log stay.
        DeviceRecords defaults = defaultRecords();
        defaults.identity = records_.identity;
        defaults.identity.set_Part_type_f(0);
        defaults.info = records_.info;
        defaults.log = std::move(records_.log);
        defaults.counters = records_.counters;
        records_ = std::move(defaults);
        stored = true;
        break;
    }
    case request::WholeWrite:
        if (!storeWholeRecord(records_, payload))
            return false;
        obeyPairingCommand();
        changed();
        answer(now, response::PC_WHOLE_WRITE);
        return true;
    default:
        return false;
    }
    if (!stored)
        return false;
    changed();
    acknowledge(now);
    return true;
}

// The first identity byte is an order, not a setting: it is carried out once and
// answered as 0 afterwards, so that an identity the program sends back as it read
// it does not order the same new pairing again.
void DeviceModel::obeyPairingCommand() {
    if (records_.identity.pairing_command() == kPairDeletingAll) {
        records_.log.clear();
        records_.counters = {};
    }
    records_.identity.set_pairing_command(0);
}

void DeviceModel::serveLog(const Request& request, SimTime now) {
    if (request.payload.size() != 5) {
        refuse(now);
        return;
    }
    std::vector<std::uint8_t> stream;
    const std::uint8_t section = request.payload[0];
    if (section == 1)
        stream = headerSection(records_, config_.header);
    else if (section == 2 && config_.erasedLog)
        stream.assign(4, 0xFF);
    else if (section == 2)
        stream = eventSection(records_.log, records_.firmwareVersion(), config_.faults.logContent);
    else if (section == 0)
        stream.assign(4, 0); // no handset measurement log kept
    else {
        refuse(now);
        return;
    }
    if (hooks_.logServed)
        hooks_.logServed(stream);
    const SimTime when = now + config_.latency;
    std::optional<std::uint64_t> stall;
    if (section == 1)
        stall = config_.faults.stallHeaderAfter;
    else if (section == 2)
        stall = config_.faults.stallLogAfter;
    if (stall && *stall < stream.size()) {
        std::vector<std::uint8_t> rest(stream.begin() + static_cast<std::ptrdiff_t>(*stall),
                                       stream.end());
        stream.resize(*stall);
        if (config_.faults.stallFor > SimTime{})
            output_.schedule(when + config_.faults.stallFor, std::move(rest));
    }
    output_.schedule(when, std::move(stream));
}

void DeviceModel::startCalibration(const Request& request, SimTime now) {
    CalRequestRecord calRequest;
    calRequest.assign(request.payload);
    const std::uint8_t mode = calRequest.mode();
    if (request.payload.size() != CalRequestRecord::size ||
        (mode != kCalibrate && mode != kCalibrationCheck)) {
        refuse(now);
        return;
    }
    output_.cancel(TagCalibration);
    const std::uint32_t run = ++calibrationRun_;
    const CalDensities densities = densitiesFor(config_.calOutcome);
    SimTime last{};
    for (const CalReport& report :
         calibrationReports(mode, densities, calRequest.pressure(), config_.calStep)) {
        answer(now, report.code, report.payload, report.after);
        last = report.after;
    }
    // The finished run leaves its result in the event log.
    at(now + config_.latency + last, [this, run, mode, densities](SimTime when) {
        if (run != calibrationRun_)
            return;
        const std::uint8_t event =
            mode == kCalibrate ? kEventBreathCalibration : kEventCalibrationResult;
        records_.log.push_back(makeEvent(clockAt(when), event, loggedDensity(mode, densities)));
        changed();
    });
}

void DeviceModel::diagnosis(const Request& request, SimTime now) {
    if (request.payload.size() != 3) {
        refuse(now);
        return;
    }
    switches_ = DiagnosisSwitches{request.payload[1], request.payload[2]};
    if (request.payload[0] != 1)
        return;
    const DiagnosisRecord report =
        diagnosisReport(records_, clockAt(now), switches_, diagnosisCount_++);
    answer(now, response::TE_DIAGNOSIS, report.view());
}

void DeviceModel::enterLoader(SimTime now) {
    ++calibrationRun_;
    output_.cancel(TagCalibration);
    mode_ = Mode::Loader;
    reader_.reset();
    announceReady(now + kLoaderStart);
}

void DeviceModel::announceReady(SimTime when) {
    loader_.restart();
    lastLoaderByte_ = when;
    static const std::string ready = "Ready\r\n";
    const auto bytes = [](std::string_view text) {
        return std::vector<std::uint8_t>(text.begin(), text.end());
    };
    if (config_.splitReady) {
        output_.schedule(when, bytes(std::string_view(ready).substr(0, 3)), TagLoader);
        output_.schedule(when + kReadySplitGap, bytes(std::string_view(ready).substr(3)),
                         TagLoader);
    } else {
        output_.schedule(when, bytes(ready), TagLoader);
    }
}

void DeviceModel::repeatReady(SimTime from) {
    at(from + kReadyRepeat, [this](SimTime now) {
        if (mode_ != Mode::Loader)
            return;
        if (now - lastLoaderByte_ >= kReadyRepeat)
            announceReady(now);
        repeatReady(now);
    });
}

void DeviceModel::loaderBytes(std::span<const std::uint8_t> bytes, SimTime now) {
    if (now - lastLoaderByte_ > kLoaderStall && loader_.imageSize() != 0)
        loader_.restart(); // a stream that stopped half way is forgotten
    lastLoaderByte_ = now;
    std::size_t used = 0;
    const FirmwareLoader::Result result = loader_.feed(bytes, used);
    if (result == FirmwareLoader::Result::Pending)
        return;
    if (result == FirmwareLoader::Result::Rejected && config_.loaderWaiting) {
        note("firmware loader ignores %zu bytes that are no image", bytes.size());
        loader_.restart(); // it goes on waiting; the next "Ready\r\n" starts afresh
        return;
    }
    if (result == FirmwareLoader::Result::Rejected) {
        note("firmware image refused: size %u, %zu of %zu groups", loader_.imageSize(),
             loader_.groupsReceived(), loader_.groupsExpected());
        loaderSilent(now, kLoaderRetry);
        return;
    }
    note("firmware image of %u bytes in %zu groups", loader_.imageSize(), loader_.groupsReceived());
    if (hooks_.firmwareReceived)
        hooks_.firmwareReceived(loader_.image());
    if (config_.faults.loaderMute) {
        loaderSilent(now, *config_.faults.loaderMute);
        return;
    }
    records_.info.set_version(static_cast<std::uint8_t>(config_.newFirmware >> 8),
                              static_cast<std::uint8_t>(config_.newFirmware & 0xFF));
    changed();
    mode_ = Mode::Rebooting;
    at(now + kReboot, [this](SimTime) { mode_ = Mode::Normal; });
}

void DeviceModel::loaderSilent(SimTime now, SimTime pause) {
    mode_ = Mode::LoaderRefusing;
    at(now + pause, [this](SimTime when) {
        mode_ = Mode::Loader;
        announceReady(when);
    });
}

void DeviceModel::reboot(SimTime now) {
    ++calibrationRun_;
    output_.cancel(TagCalibration);
    switches_ = {};
    reader_.reset();
    mode_ = Mode::Rebooting;
    at(now + kReboot, [this](SimTime) { mode_ = Mode::Normal; });
}

} // namespace interlock::sim
