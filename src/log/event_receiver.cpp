#include "link/trace.h"
#include "log/log_receiver.h"

namespace interlock {

namespace {
constexpr std::uint8_t kTenByteRecord = 10;
constexpr std::uint8_t kEightByteRecord = 8;
constexpr std::size_t kCheckedBytes = 9;
} // namespace

void LogReceiver::tenByteRecordByte(std::uint8_t byte) {
    if (rx_.lengthCount < LogReceiveState::kLengthBytes) {
        rx_.crc_32_sum = 0;
        rx_.totalCount = 0;
        if (!takeLengthByte(byte))
            return;
        trace("Event length_size = %d\r\n", static_cast<int>(rx_.length_size));
        rx_.recordIndex = 0;
        state_.Log_Write_Packet_Cnt = 0;
        if (noSection(rx_.length_size))
            events_.eventLogEmpty();
        return;
    }
    ++state_.Log_Write_Packet_Cnt;
    // Counted on its own so that neither a check failure (which restarts the packet
    // count) nor a length near 2^32 makes a body byte look like a total byte.
    if (rx_.bodyBytes < rx_.length_size) {
        ++rx_.bodyBytes;
        rx_.record[rx_.recordIndex++] = byte;
        if (rx_.recordIndex == kTenByteRecord)
            checkRecord();
        return;
    }
    if (rx_.totalCount == LogReceiveState::kTotalBytes)
        return; // bytes after the total are ignored
    rx_.totalBytes[rx_.totalCount++] = byte;
    if (rx_.totalCount == LogReceiveState::kTotalBytes)
        checkTotal();
}

void LogReceiver::checkRecord() {
    rx_.recordIndex = 0;
    ++rx_.records;
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kCheckedBytes; ++i)
        sum += rx_.record[i];
    rx_.lastRecordCheck = static_cast<std::uint8_t>(sum);
    rx_.crc_32_sum += sum;
    if (rx_.lastRecordCheck != rx_.record[kCheckedBytes]) {
        trace("Log_crc_8_data error = %d %d\r\n", rx_.lastRecordCheck, rx_.record[kCheckedBytes]);
        // The read can no longer complete; the watchdog ends it.
        state_.Log_Write_Packet_Cnt = 0;
        rx_.recordCheckFailed = true;
    }
    events_.eventRecord(std::span<const std::uint8_t>(rx_.record).first(kTenByteRecord));
}

void LogReceiver::checkTotal() {
    const auto& t = rx_.totalBytes;
    rx_.Rx_Total_crc = static_cast<std::uint32_t>(t[0]) | static_cast<std::uint32_t>(t[1]) << 8 |
                       static_cast<std::uint32_t>(t[2]) << 16 |
                       static_cast<std::uint32_t>(t[3]) << 24;
    trace("Rx_Total_crc = %d\r\n", static_cast<int>(rx_.Rx_Total_crc));
    if (rx_.Rx_Total_crc != rx_.crc_32_sum) {
        trace("Rx_Total_crc != crc_32_sum %d %d\r\n", static_cast<int>(rx_.Rx_Total_crc),
              static_cast<int>(rx_.crc_32_sum));
        return;
    }
    if (!rx_.recordCheckFailed && endsOnARecord())
        events_.eventLogComplete();
}

bool LogReceiver::endsOnARecord() const {
    if (rx_.recordIndex == 0)
        return true;
    // A torn last record: the log is damaged and the watchdog fails the read.
    trace("Event length_size = %d is not a whole number of records\r\n",
          static_cast<int>(rx_.length_size));
    return false;
}

void LogReceiver::eightByteRecordByte(std::uint8_t byte) {
    ++state_.Log_Write_Packet_Cnt;
    if (rx_.lengthCount < LogReceiveState::kLengthBytes) {
        if (!takeLengthByte(byte))
            return;
        trace("Event length_size = %d\r\n", static_cast<int>(rx_.length_size));
        rx_.recordIndex = 0;
        if (noSection(rx_.length_size)) {
            events_.eventLogEmpty();
            return;
        }
        state_.Log_Write_Packet_Cnt = 0;
        return;
    }
    if (rx_.bodyBytes == rx_.length_size)
        return; // bytes after the log are ignored
    ++rx_.bodyBytes;
    rx_.record[rx_.recordIndex++] = byte;
    if (rx_.recordIndex == kEightByteRecord) {
        rx_.recordIndex = 0;
        ++rx_.records;
        events_.eventRecord(std::span<const std::uint8_t>(rx_.record).first(kEightByteRecord));
    }
    if (rx_.bodyBytes == rx_.length_size && endsOnARecord())
        events_.eventLogComplete();
}

} // namespace interlock
