#include "link/response_dispatcher.h"

#include "link/calibration_maths.h"
#include "link/codes.h"
#include "link/frame.h"
#include "link/trace.h"

#include <algorithm>
#include <array>

namespace interlock {

namespace {
// The original reads at most this many bytes per notification; longer chunks are
// taken in pieces so the 16-bit pending count can never overflow.
constexpr std::size_t kMaxChunk = 4095;
constexpr int kIdentityWriteWaitMs = 300;

template <typename Record> void copyRecord(Record& record, std::span<const std::uint8_t> payload) {
    record.assign(payload);
}

void traceBytes(const char* name, std::span<const std::uint8_t> payload) {
    trace("%s ", name);
    for (const std::uint8_t byte : payload)
        trace("0x%x ", byte);
    trace("\r\n");
}

const char* crcFailureTrace(std::uint8_t code) {
    switch (code) {
    case response::RESPONSE_CAL_STATUS:
        return "RESPONSE_CAL_STATUS crc not equal\r\n";
    case response::RESPONSE_CAL_VALUE:
        return "CMD_VALUE crc not equal\r\n";
    case response::TE_ID:
    case response::TE_ID_ALT:
        return "TE_ID crc not equal\r\n";
    case response::TE_OPTION:
        return "TE_OPTION crc not equal\r\n";
    case response::TE_CONFIG_DATA:
        return "TE_CONFIG_DATA crc not equal\r\n";
    case response::TE_SERVICE:
        return "TE_SERVICE crc not equal\r\n";
    case response::TE_INFO:
        return "TE_INFO crc not equal\r\n";
    case response::TE_G_SENSOR:
        return "TE_G_SENSOR crc not equal\r\n";
    case response::TE_DIAGNOSIS:
        return "TE_DIAGNOSIS crc not equal\r\n";
    default:
        return nullptr;
    }
}

// The payload size of a record answer; a shorter payload is damaged. A longer one
// is taken as far as the record goes, so a firmware that appends fields still works.
std::size_t recordSize(std::uint8_t code, std::span<const std::uint8_t> payload) {
    switch (code) {
    case response::RESPONSE_CAL_STATUS:
        return CalStatusRecord::size;
    case response::RESPONSE_CAL_VALUE:
        return CalValueRecord::size;
    case response::TE_ID:
    case response::TE_ID_ALT:
        return IdentityRecord::size;
    case response::TE_OPTION:
        return Te_Option_t::size;
    case response::TE_CONFIG_DATA:
        return Te_Config_Data_t::size;
    case response::TE_SERVICE:
        return Te_Service_t::size;
    case response::TE_INFO:
        return InfoRecord::size;
    case response::TE_G_SENSOR:
        return Te_G_Sensor_t::size;
    case response::TE_DIAGNOSIS:
        return DiagnosisRecord::size;
    case response::PC_WHOLE_READ: {
        // The unit's DUT byte says whether the G-sensor part belongs to it.
        const std::uint8_t dut = payload.size() > 2 ? payload[2] : std::uint8_t{ENUM_DUT_NONE};
        return WholeRecord::sizeFor(dut);
    }
    default:
        return 0;
    }
}

// True, with a trace, when the answer is too short for its record.
bool shortAnswer(std::uint8_t code, std::span<const std::uint8_t> payload) {
    const std::size_t size = recordSize(code, payload);
    if (payload.size() >= size)
        return false;
    trace("short answer 0x%x: %d of %d bytes\r\n", code, static_cast<int>(payload.size()),
          static_cast<int>(size));
    return true;
}

const char* statusName(std::uint8_t status) {
    switch (status) {
    case 0:
        return "Pre-Heat";
    case 1:
        return "Warm-Up";
    case 2:
        return "Blow-Wait";
    case 4:
        return "Blowing";
    case 8:
        return "Calculating";
    default:
        return "";
    }
}

const char* dutName(std::uint8_t dut) {
    switch (dut) {
    case ENUM_DUT_NONE:
        return "ENUM_DUT_NONE\r\n";
    case ENUM_DUT_CONTROLBOX:
        return "ENUM_DUT_CONTROLBOX\r\n";
    case ENUM_DUT_HANDSET:
        return "ENUM_DUT_HANDSET\r\n";
    default:
        return "=======================error============================";
    }
}
} // namespace

void ResponseDispatcher::onBytes(std::span<const std::uint8_t> chunk) {
    while (!chunk.empty()) {
        const auto piece = chunk.first(std::min(chunk.size(), kMaxChunk));
        chunk = chunk.subspan(piece.size());
        state_.rxIdleCount = 0;
        if (state_.logDownload) {
            // The log stream is not framed: every byte goes to the log receivers.
            host_.logBytes(piece);
            continue;
        }
        state_.ring.append(piece);
        if (state_.fwReceiveMode) {
            host_.firmwareBytes(state_.ring);
            continue;
        }
        gatherFrames();
    }
}

void ResponseDispatcher::gatherFrames() {
    ReceiveRing& ring = state_.ring;
    std::array<std::uint8_t, 255 + kFrameOverhead> frame{};
    while (ring.writeIndex != ring.readIndex || ring.pending > 0) {
        const bool startByte = ring.at(0) == kFrameStart;
        if (!startByte || (ring.pending >= 2 && ring.at(1) == 0xFF)) {
            ring.clear();
            return;
        }
        if (ring.pending < 3)
            return;
        ring.frameLength = ring.at(2);
        const auto length = static_cast<std::uint16_t>(ring.frameLength + kFrameOverhead);
        if (ring.pending < length)
            return;
        // Copied out first, so a frame that straddles the end of the ring reads in order.
        for (std::uint16_t i = 0; i < length; ++i)
            frame[i] = ring.at(i);
        const bool crcClear = dispatch(std::span<const std::uint8_t>(frame).first(length));
        ring.consume(length);
        if (crcClear) {
            ring.clear();
            trace("crc error clear\r\n");
            return;
        }
    }
}

bool ResponseDispatcher::dispatch(std::span<const std::uint8_t> frame) {
    const std::uint8_t code = frame[1];
    const auto payload = frame.subspan(3, frame[2]);
    const bool crcGood = frameCrcGood(frame);

    if (code == response::ACK) {
        trace("ACK\r\n");
        return false;
    }
    if (code == response::NACK) {
        if (crcGood)
            trace("NACK\r\n");
        return false;
    }
    if (code == response::PC_WHOLE_WRITE || code == response::PC_WHOLE_READ) {
        if (!crcGood) {
            trace(code == response::PC_WHOLE_WRITE ? "PC_WHOLE_WRITE crc error\r\n"
                                                   : "PC_WHOLE_READ crc error\r\n");
            return false;
        }
        if (code == response::PC_WHOLE_WRITE)
            trace("PC_WHOLE_WRITE\r\n");
        else if (shortAnswer(code, payload))
            return false;
        else
            onWholeRead(payload);
        noteAnswer(code);
        return false;
    }
    const char* failure = crcFailureTrace(code);
    if (!failure) {
        trace("Recognize ID error \r\n");
        return false;
    }
    if (!crcGood) {
        trace("%s", failure);
        return true;
    }
    if (shortAnswer(code, payload))
        return false;
    const bool calibrationReport =
        code == response::RESPONSE_CAL_STATUS || code == response::RESPONSE_CAL_VALUE;
    if (calibrationReport && !(state_.calRequest.mode() & 0x01)) {
        // No calibration was started in this run: nothing to judge, nothing to answer.
        trace("calibration report 0x%x without a calibration\r\n", code);
        return false;
    }
    const std::uint8_t counted = code == response::TE_ID_ALT ? response::TE_ID : code;
    switch (code) {
    case response::RESPONSE_CAL_STATUS:
        onCalStatus(payload);
        break;
    case response::RESPONSE_CAL_VALUE:
        onCalValue(payload);
        break;
    case response::TE_ID:
    case response::TE_ID_ALT:
        onIdentity(payload);
        break;
    case response::TE_OPTION:
        copyRecord(state_.option, payload);
        traceBytes("TE_OPTION", payload);
        break;
    case response::TE_CONFIG_DATA:
        copyRecord(state_.config, payload);
        traceBytes("TE_CONFIG_DATA", payload);
        break;
    case response::TE_SERVICE:
        copyRecord(state_.service, payload);
        traceBytes("TE_SERVICE", payload);
        break;
    case response::TE_G_SENSOR:
        copyRecord(state_.gSensor, payload);
        traceBytes("TE_G_SENSOR", payload);
        break;
    case response::TE_INFO:
        onInfo(payload);
        break;
    case response::TE_DIAGNOSIS:
        copyRecord(state_.diagnosis, payload);
        host_.refreshDiagnosisPage();
        break;
    }
    noteAnswer(counted);
    return false;
}

void ResponseDispatcher::noteAnswer(std::uint8_t code) {
    ++state_.answersReceived[code];
    host_.answerStored(code);
}

void ResponseDispatcher::onCalStatus(std::span<const std::uint8_t> payload) {
    copyRecord(state_.calStatus, payload);
    const CivilTime now = host_.utcNow();
    state_.timeAnswer.bytes = {0,
                               0,
                               static_cast<std::uint8_t>(now.year - 2000),
                               static_cast<std::uint8_t>(now.month),
                               static_cast<std::uint8_t>(now.day),
                               static_cast<std::uint8_t>(now.hour),
                               static_cast<std::uint8_t>(now.minute),
                               static_cast<std::uint8_t>(now.second),
                               0,
                               0,
                               0};
    const std::uint8_t status = state_.calStatus.test_status();
    const char* name = statusName(status);
    if (state_.calStep == 0)
        state_.calFirstResult = name;
    else if (state_.calStep == 2)
        state_.calSecondResult = name;
    else if (state_.calStep == 4)
        state_.calValueText = name;
    host_.refreshCalibrationPage();
    if (state_.calStep == 1 && status == 1)
        state_.calStep = 2;
    else if (state_.calStep == 3 && status == 1)
        state_.calStep = 4;
    state_.link.send(request::TimeAnswer, state_.timeAnswer.view());
}

void ResponseDispatcher::onCalValue(std::span<const std::uint8_t> payload) {
    CalValueRecord& value = state_.calValue;
    copyRecord(value, payload);
    trace("density = %d\r\n", value.density());
    trace("use_count = %d\r\n", value.use_count());
    const std::uint16_t density = value.density();
    state_.calDensity = density;
    state_.calReference = calibrationReference(density);
    if (state_.calCheckMode)
        value.set_stage(static_cast<std::uint8_t>(value.stage() + 2));

    std::uint8_t verdict = VERDICT_NONE;
    if (value.stage() == 1 || value.stage() == 2) {
        const std::string result = calibrationStageResult(density, state_.calReference);
        if (value.stage() == 1) {
            state_.calStep = 1;
            state_.calFirstResult = result;
        } else {
            state_.calStep = 3;
            state_.calSecondResult = result;
        }
        if (result == "FAIL")
            verdict = VERDICT_FAIL;
    } else {
        state_.calTenth = static_cast<std::uint16_t>(density / 10);
        state_.calStep = 5;
        FinalReading reading = calibrationFinalReading(density, state_.option.test_unit());
        state_.calValueText = std::move(reading.text);
        verdict = reading.verdict;
    }
    if (state_.calVerdict == VERDICT_NONE)
        state_.calVerdict = verdict;
    host_.refreshCalibrationPage();
    state_.link.send(request::CalValueEcho, value.view());
}

void ResponseDispatcher::onIdentity(std::span<const std::uint8_t> payload) {
    copyRecord(state_.identity, payload);
    trace("Whoami = %d\r\n", state_.identity.DUT());
    state_.identityWritten = 0;
    if (state_.identitySeen)
        return;
    state_.identitySeen = 1;
    if (state_.identity.Part_type_f() == 0) {
        state_.identityWritten = 1;
        state_.identity.set_Part_type_f(2);
        state_.link.send(request::WriteIdentity, state_.identity.view());
        host_.later(kIdentityWriteWaitMs, [this] { requestPage(DLG_MAIN_PART2); });
        return;
    }
    requestPage(state_.identity.Part_type_f() == 2 ? DLG_MAIN_PART2 : DLG_SOFTWARE_CHANGE);
}

void ResponseDispatcher::onInfo(std::span<const std::uint8_t> payload) {
    copyRecord(state_.info, payload);
    traceBytes("TE_INFO", payload);
    if (state_.versionCheckRequest == 1) {
        state_.versionCheckRequest = 0;
        host_.versionCheckAnswered();
        return;
    }
    if (!state_.infoSeen) {
        state_.infoSeen = 1;
        if (state_.info.major() == 4 && state_.info.minor() == 4) {
            trace("FW Version equal!!\r\n");
        } else {
            trace("FW Version Not equal!!\r\n");
            host_.later(0, [this] { host_.showVersionNotice(); });
        }
    }
    state_.Log_FW_Check = state_.info.version();
    trace("Log_FW_Check = %d\r\n", state_.Log_FW_Check);
}

void ResponseDispatcher::onWholeRead(std::span<const std::uint8_t> payload) {
    WholeRecord whole;
    whole.assign(payload);
    const auto part = [&whole](std::size_t offset, std::size_t size) {
        return std::span<const std::uint8_t>(whole.bytes).subspan(offset, size);
    };
    state_.identity.assign(part(WholeRecord::kIdentityAt, IdentityRecord::size));
    trace("%s", dutName(state_.identity.DUT()));
    state_.option.assign(part(WholeRecord::kOptionAt, Te_Option_t::size));
    state_.config.assign(part(WholeRecord::kConfigAt, Te_Config_Data_t::size));
    state_.service.assign(part(WholeRecord::kServiceAt, Te_Service_t::size));
    if (state_.identity.DUT() == ENUM_DUT_CONTROLBOX)
        state_.gSensor.assign(part(WholeRecord::kGSensorAt, Te_G_Sensor_t::size));
    else
        state_.gSensor = Te_G_Sensor_t{};
    trace("size = %d %d %d %d\r\n", int(IdentityRecord::size), int(Te_Option_t::size),
          int(Te_Config_Data_t::size), int(Te_Service_t::size));
}

void ResponseDispatcher::requestPage(std::int32_t page) {
    state_.dlg_enum = page;
    host_.pageRequested();
}

} // namespace interlock
