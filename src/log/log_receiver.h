#pragma once

#include "link/program_state.h"
#include "log/log_receive_state.h"

#include <cstdint>
#include <span>

namespace interlock {

// What the log receivers report while they assemble the stream.
class LogReceiverEvents {
  public:
    virtual ~LogReceiverEvents() = default;
    // The header length was 0 or erased memory (0xFFFFFFFF): there is no header.
    virtual void headerSkipped() = 0;
    virtual void headerComplete(const LogHeader& header) = 0;
    // A whole event record; it is passed on whether or not its check byte matched.
    virtual void eventRecord(std::span<const std::uint8_t> record) = 0;
    // The event length was 0 or erased memory (0xFFFFFFFF): the log is empty.
    virtual void eventLogEmpty() = 0;
    // Every record arrived and the total (where the format has one) matched.
    virtual void eventLogComplete() = 0;
};

// The byte-by-byte receivers of the log stream: the header, and the event log in
// 10-byte records with check byte and total (firmware 0x0403 and later) or in
// 8-byte records without either. They count body bytes in Log_Write_Packet_Cnt,
// which the timer's watchdog watches, and never store a byte past the header
// area, the record buffer or the total.
class LogReceiver {
  public:
    LogReceiver(ProgramState& state, LogReceiverEvents& events) : state_(state), events_(events) {}

    // Empties the receive state for `section`.
    void startSection(LogSection section);
    // One received byte of the current section.
    void feed(std::uint8_t byte);

    const LogReceiveState& receiveState() const { return rx_; }

  private:
    // Stores a length byte; true when it was the last of the four.
    bool takeLengthByte(std::uint8_t byte);
    static bool noSection(std::uint32_t length) { return length == 0 || length == 0xFFFFFFFF; }
    void headerByte(std::uint8_t byte);
    void tenByteRecordByte(std::uint8_t byte);
    void eightByteRecordByte(std::uint8_t byte);
    void checkRecord();
    void checkTotal();
    // False, with a trace, when the last record of the event log is incomplete.
    bool endsOnARecord() const;

    ProgramState& state_;
    LogReceiverEvents& events_;
    LogReceiveState rx_;
};

} // namespace interlock
