#pragma once

// The event receivers and the decoders behind them on any event section: byte 0
// picks the firmware (one of two of the record format), the product line and the
// test unit of the decoder; the rest is the section.
#include "log/event_decoder.h"
#include "log/log_receiver.h"

#include <array>

namespace interlock::fuzz {

class DecodedEvents : public LogReceiverEvents {
  public:
    explicit DecodedEvents(const EventDecoder& decoder) : decoder_(decoder) {}
    void headerSkipped() override {}
    void headerComplete(const LogHeader&) override {}
    void eventRecord(std::span<const std::uint8_t> record) override {
        decoder_.decode(record, recordNumber_, texts_);
        texts_.clear();
    }
    void eventLogEmpty() override {}
    void eventLogComplete() override {}

  private:
    const EventDecoder& decoder_;
    std::uint32_t recordNumber_ = 1;
    LogTexts texts_;
};

inline void decodeEventSection(const std::uint8_t* data, std::size_t size,
                               const std::array<std::uint32_t, 2>& firmware) {
    if (size == 0)
        return;
    const std::uint32_t fwCheck = firmware[data[0] >> 7];
    ProgramState state;
    state.Log_FW_Check = fwCheck;
    const EventDecoder decoder{static_cast<std::uint8_t>(data[0] % 3), generationOf(fwCheck),
                               TestUnit{static_cast<std::uint8_t>(data[0] >> 2 & 7)}};
    DecodedEvents events(decoder);
    LogReceiver receiver(state, events);
    receiver.startSection(LogSection::Events);
    for (std::size_t i = 1; i < size; ++i)
        receiver.feed(data[i]);
}

} // namespace interlock::fuzz
