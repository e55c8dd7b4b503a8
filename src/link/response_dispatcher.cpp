#include "link/response_dispatcher.h"

#include "link/codes.h"
#include "link/frame.h"
#include "link/trace.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>

namespace interlock {

namespace {
// The original reads at most this many bytes per notification; longer chunks are
// taken in pieces so the 16-bit pending count can never overflow.
constexpr std::size_t kMaxChunk = 4095;
constexpr int kIdentityWriteWaitMs = 300;

void traceBytes(const char* name, std::span<const std::uint8_t> payload) {
    trace("%s ", name);
    for (const std::uint8_t byte : payload)
        trace("0x%x ", byte);
    trace("\r\n");
}

template <auto Record> void copyInto(ProgramState& state, std::span<const std::uint8_t> payload) {
    (state.*Record).assign(payload);
}

// Every record response: its trace when the CRC fails, its record's size, where it
// is stored, and the name its bytes are traced under (none: not traced).
struct RecordResponse {
    std::uint8_t code;
    const char* crcFailure;
    std::size_t size;
    void (*copy)(ProgramState&, std::span<const std::uint8_t>);
    const char* traceName = nullptr;
};

template <auto Record> constexpr std::size_t sizeOf() {
    return std::remove_reference_t<decltype(std::declval<ProgramState&>().*Record)>::size;
}

template <auto Record>
constexpr RecordResponse stored(std::uint8_t code, const char* crcFailure,
                                const char* traceName = nullptr) {
    return {code, crcFailure, sizeOf<Record>(), copyInto<Record>, traceName};
}

constexpr RecordResponse kRecordResponses[] = {
    stored<&ProgramState::calStatus>(response::RESPONSE_CAL_STATUS,
                                     "RESPONSE_CAL_STATUS crc not equal\r\n"),
    stored<&ProgramState::calValue>(response::RESPONSE_CAL_VALUE, "CMD_VALUE crc not equal\r\n"),
    stored<&ProgramState::identity>(response::TE_ID, "TE_ID crc not equal\r\n"),
    stored<&ProgramState::identity>(response::TE_ID_ALT, "TE_ID crc not equal\r\n"),
    stored<&ProgramState::option>(response::TE_OPTION, "TE_OPTION crc not equal\r\n", "TE_OPTION"),
    stored<&ProgramState::config>(response::TE_CONFIG_DATA, "TE_CONFIG_DATA crc not equal\r\n",
                                  "TE_CONFIG_DATA"),
    stored<&ProgramState::service>(response::TE_SERVICE, "TE_SERVICE crc not equal\r\n",
                                   "TE_SERVICE"),
    stored<&ProgramState::info>(response::TE_INFO, "TE_INFO crc not equal\r\n", "TE_INFO"),
    stored<&ProgramState::gSensor>(response::TE_G_SENSOR, "TE_G_SENSOR crc not equal\r\n",
                                   "TE_G_SENSOR"),
    stored<&ProgramState::diagnosis>(response::TE_DIAGNOSIS, "TE_DIAGNOSIS crc not equal\r\n"),
};

const RecordResponse* recordResponse(std::uint8_t code) {
    for (const RecordResponse& entry : kRecordResponses)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

// True, with a trace, when an answer is too short for its record of `size` bytes. A
// longer one is taken as far as the record goes, so a firmware that appends fields
// still works.
bool shortAnswer(std::uint8_t code, std::span<const std::uint8_t> payload, std::size_t size) {
    if (payload.size() >= size)
        return false;
    trace("short answer 0x%x: %d of %d bytes\r\n", code, static_cast<int>(payload.size()),
          static_cast<int>(size));
    return true;
}

// The whole record's size: the unit's DUT byte says whether the G-sensor part belongs to it.
std::size_t wholeRecordSize(std::span<const std::uint8_t> payload) {
    const std::uint8_t dut = payload.size() > 2 ? payload[2] : std::uint8_t{ENUM_DUT_NONE};
    return WholeRecord::sizeFor(dut);
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
        if (const std::size_t dropped = state_.ring.append(piece); dropped > 0)
            trace("receive ring full: %zu bytes dropped\r\n", dropped);
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

    // Acknowledgements are counted only when whole, so that pages can tell a
    // refused write from an accepted one.
    if (code == response::ACK) {
        trace("ACK\r\n");
        if (crcGood)
            noteAnswer(code);
        return false;
    }
    if (code == response::NACK) {
        if (crcGood) {
            trace("NACK\r\n");
            noteAnswer(code);
        }
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
        else if (shortAnswer(code, payload, wholeRecordSize(payload)))
            return false;
        else
            onWholeRead(payload);
        noteAnswer(code);
        return false;
    }
    const RecordResponse* record = recordResponse(code);
    if (!record) {
        trace("Recognize ID error \r\n");
        return false;
    }
    if (!crcGood) {
        trace("%s", record->crcFailure);
        return true;
    }
    if (shortAnswer(code, payload, record->size))
        return false;
    record->copy(state_, payload);
    if (record->traceName)
        traceBytes(record->traceName, payload);
    switch (code) {
    case response::RESPONSE_CAL_STATUS:
        onCalStatus();
        break;
    case response::RESPONSE_CAL_VALUE:
        onCalValue();
        break;
    case response::TE_ID:
    case response::TE_ID_ALT:
        onIdentity();
        break;
    case response::TE_INFO:
        onInfo();
        break;
    case response::TE_DIAGNOSIS:
        host_.refreshDiagnosisPage();
        break;
    }
    noteAnswer(code == response::TE_ID_ALT ? response::TE_ID : code);
    return false;
}

void ResponseDispatcher::noteAnswer(std::uint8_t code) {
    ++state_.answersReceived[code];
    host_.answerStored(code);
}

void ResponseDispatcher::onCalStatus() {
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
    host_.calibrationStatusStored();
    state_.link.send(request::TimeAnswer, state_.timeAnswer.view());
}

void ResponseDispatcher::onCalValue() {
    trace("density = %d\r\n", state_.calValue.density());
    trace("use_count = %d\r\n", state_.calValue.use_count());
    // The calibration dialogue may raise the stage: the echo carries it as stored.
    host_.calibrationValueStored();
    state_.link.send(request::CalValueEcho, state_.calValue.view());
}

void ResponseDispatcher::onIdentity() {
    trace("Whoami = %d\r\n", state_.identity.DUT());
    state_.identityWritten = false;
    if (state_.identitySeen)
        return;
    state_.identitySeen = true;
    if (state_.identity.Part_type_f() == 0) {
        state_.identityWritten = true;
        state_.identity.set_Part_type_f(2);
        state_.link.send(request::WriteIdentity, state_.identity.view());
        host_.later(kIdentityWriteWaitMs, [this] { state_.dlg_enum = PageRequest::MainPart2; });
        return;
    }
    state_.dlg_enum =
        state_.identity.Part_type_f() == 2 ? PageRequest::MainPart2 : PageRequest::SoftwareChange;
}

void ResponseDispatcher::onInfo() {
    if (state_.versionCheckRequest) {
        state_.versionCheckRequest = false;
        host_.versionCheckAnswered();
        return;
    }
    if (!state_.infoSeen) {
        state_.infoSeen = true;
        if (state_.info.major() == kKnownFirmwareMajor &&
            state_.info.minor() == kKnownFirmwareMinor) {
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

} // namespace interlock
