#include "log/log_receiver.h"

#include "link/trace.h"

namespace interlock {

void LogReceiver::startSection(LogSection section) {
    rx_ = LogReceiveState{};
    rx_.section = section;
    state_.Log_Write_Packet_Cnt = 0;
}

void LogReceiver::feed(std::uint8_t byte) {
    switch (rx_.section) {
    case LogSection::Header:
        headerByte(byte);
        break;
    case LogSection::Events:
        if (state_.Log_FW_Check >= kFirstTenByteLogFirmware)
            tenByteRecordByte(byte);
        else
            eightByteRecordByte(byte);
        break;
    case LogSection::Measurement:
        break; // the measurement log is never requested
    }
}

bool LogReceiver::takeLengthByte(std::uint8_t byte) {
    rx_.lengthField[rx_.lengthCount++] = byte;
    if (rx_.lengthCount < LogReceiveState::kLengthBytes)
        return false;
    const auto& f = rx_.lengthField;
    rx_.length_size = static_cast<std::uint32_t>(f[0]) | static_cast<std::uint32_t>(f[1]) << 8 |
                      static_cast<std::uint32_t>(f[2]) << 16 |
                      static_cast<std::uint32_t>(f[3]) << 24;
    return true;
}

void LogReceiver::headerByte(std::uint8_t byte) {
    if (rx_.lengthCount < LogReceiveState::kLengthBytes) {
        if (!takeLengthByte(byte))
            return;
        trace("Header length_size = %d\r\n", static_cast<int>(rx_.length_size));
        if (noSection(rx_.length_size))
            events_.headerSkipped();
        else
            state_.Log_Write_Packet_Cnt = 0;
        return;
    }
    ++state_.Log_Write_Packet_Cnt;
    ++rx_.bodyBytes;
    // A longer header body than the area holds is counted but not stored.
    if (rx_.recordIndex < rx_.header.bytes.size())
        rx_.header.bytes[rx_.recordIndex++] = byte;
    if (state_.Log_Write_Packet_Cnt == rx_.length_size) {
        trace("Header file count same\r\n");
        events_.headerComplete(rx_.header);
    }
}

} // namespace interlock
