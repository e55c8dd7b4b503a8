#include "log/event_decoder.h"

#include "link/local_time.h"
#include "link/program_state.h"
#include "link/trace.h"
#include "log/event_wording.h"
#include "log/value_text.h"

#include <optional>

namespace interlock {

namespace {
constexpr std::uint8_t kEmptySlot = 0xFF;
constexpr std::uint32_t kFirstCurrentFirmware = 0x0404;

struct EventFields {
    LogStamp time;
    std::uint8_t code = 0;
    std::uint8_t parameter = 0;
    std::uint16_t value = 0;
};

EventFields fieldsOf(std::span<const std::uint8_t> r, LogGeneration generation) {
    EventFields f;
    f.time = {r[0], r[1], r[2], r[3], r[4], 0};
    std::size_t codeAt = 5;
    if (generation != LogGeneration::Early) {
        f.time.second = r[5];
        codeAt = 6;
    }
    f.code = r[codeAt];
    f.parameter = r[codeAt + 1];
    f.value = static_cast<std::uint16_t>(r[codeAt + 1] << 8 | r[codeAt + 2]);
    return f;
}

std::optional<EventWording> wordingFor(std::uint8_t logType, const EventFields& f) {
    if (logType == LOG_TYPE_PART1)
        return part1Wording(f.code, f.parameter);
    if (logType == LOG_TYPE_PART2)
        return part2Wording(f.code, f.parameter);
    return std::nullopt;
}

void traceKeptRecord(std::span<const std::uint8_t> r) {
    trace("log = 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x\r\n", r[0], r[1], r[2], r[3],
          r[4], r[5], r[6], r[7], r[8], r[9]);
}

// Record number, date and time in one piece (the line's hottest part).
void addTime(LogTexts& texts, std::uint32_t number, const LogStamp& t, bool withSeconds) {
    const int n = static_cast<int>(number);
    if (withSeconds)
        texts.addRaw(formatted("%d :\t %d / %d / %d\t  %d :  %d :  %d ", n, t.year, t.month, t.day,
                               t.hour, t.minute, t.second));
    else
        texts.addRaw(formatted("%d :\t %d / %d / %d\t  %d :  %d ", n, t.year, t.month, t.day,
                               t.hour, t.minute));
}

const char* deviceErrorText(std::uint8_t p) {
    if (p & 0x01)
        return "ERROR SOL ";
    if (p & 0x04)
        return "ERROR HEATER ";
    if (p & 0x10)
        return "ERROR DATE ";
    return "";
}

void addTail(LogTexts& texts, const EventDecoder& d, const EventFields& f, EventTail tail) {
    const bool early = d.generation == LogGeneration::Early;
    switch (tail) {
    case EventTail::None:
        break;
    case EventTail::Value:
        if (early)
            addEarlyValue(texts, f.value);
        else
            addValue(texts, d.testUnit, f.value);
        break;
    case EventTail::ErrorCode:
        texts.addScreenForm(formatted("Err  %d \r\n", f.parameter));
        break;
    case EventTail::Seconds:
        texts.addScreenForm(formatted("\t%dsec\r\n", f.parameter));
        break;
    case EventTail::Parameter:
        texts.addScreenForm(formatted("%d \r\n", f.parameter));
        break;
    case EventTail::Blank:
        texts.addScreenForm(" \r\n");
        break;
    case EventTail::Temperature:
        texts.addScreenForm(formatted(" %d 'C \r\n", f.value / 10));
        break;
    case EventTail::DeviceError:
        texts.addScreenForm(deviceErrorText(f.parameter));
        texts.addScreenForm(" \r\n");
        break;
    case EventTail::Calibration:
        if (early)
            addEarlyCalibration(texts, f.value);
        else
            addCalibration(texts, d.testUnit, f.value);
        break;
    }
}
} // namespace

LogGeneration generationOf(std::uint32_t fwCheck) {
    if (fwCheck >= kFirstCurrentFirmware)
        return LogGeneration::Current;
    if (fwCheck == kFirstTenByteLogFirmware)
        return LogGeneration::V43;
    return LogGeneration::Early;
}

std::size_t recordSizeOf(LogGeneration generation) {
    return generation == LogGeneration::Early ? 8 : 10;
}

int EventDecoder::number() const {
    return logType * 10 + static_cast<int>(generation);
}

bool EventDecoder::decode(std::span<const std::uint8_t> record, std::uint32_t& recordNumber,
                          LogTexts& texts) const {
    if (record[0] == kEmptySlot || record[1] == kEmptySlot || record[2] == kEmptySlot)
        return false;
    const EventFields fields = fieldsOf(record, generation);
    const std::optional<EventWording> wording = wordingFor(logType, fields);
    if (!wording)
        return false;
    if (traceRecords && logType == LOG_TYPE_PART2 && generation != LogGeneration::Early)
        traceKeptRecord(record);

    LogStamp time = fields.time;
    if (generation == LogGeneration::Current)
        time = localStampOf(time);
    addTime(texts, recordNumber++, time, generation != LogGeneration::Early);
    texts.addScreenForm(wording->text);
    addTail(texts, *this, fields, wording->tail);
    return true;
}

} // namespace interlock
