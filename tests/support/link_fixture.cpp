#include "link_fixture.h"

#include "link/codes.h"
#include "link/records.h"

namespace interlock::testing {

int TraceCapture::count(std::string_view needle) const {
    int found = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++found;
    return found;
}

void FakeDispatcherHost::runScheduled() {
    auto tasks = std::move(scheduled);
    scheduled.clear();
    for (auto& item : tasks)
        item.task();
}

Bytes frameOf(std::uint8_t code, const Bytes& payload) {
    Bytes frame(payload.size() + kFrameOverhead);
    frame.resize(buildFrame(code, payload, frame));
    return frame;
}

Bytes withBadCrc(Bytes frame) {
    frame.back() ^= 0x5A;
    return frame;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes counting(std::size_t size, std::uint8_t first) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

namespace {
std::size_t recordSize(std::uint8_t response) {
    switch (response) {
    case response::TE_ID:
        return IdentityRecord{}.bytes.size();
    case response::TE_OPTION:
        return Te_Option_t{}.bytes.size();
    case response::TE_CONFIG_DATA:
        return Te_Config_Data_t{}.bytes.size();
    case response::TE_SERVICE:
        return Te_Service_t{}.bytes.size();
    case response::TE_INFO:
        return InfoRecord{}.bytes.size();
    case response::TE_G_SENSOR:
        return Te_G_Sensor_t{}.bytes.size();
    case response::TE_DIAGNOSIS:
        return DiagnosisRecord{}.bytes.size();
    default:
        return WholeRecord{}.bytes.size();
    }
}
} // namespace

Bytes answerTo(std::uint8_t requestCode, std::uint8_t first) {
    const std::uint8_t response = awaitedResponse(requestCode);
    return frameOf(response, counting(recordSize(response), first));
}

Bytes shortAnswerTo(std::uint8_t requestCode) {
    return frameOf(awaitedResponse(requestCode), {0x01});
}

} // namespace interlock::testing
