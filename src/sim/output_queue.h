#pragma once

#include "sim/sim_time.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace interlock::sim {

// What the device is about to send. Pieces are scheduled for a moment; from then on
// they go on the wire in order, at the line rate when pacing is on (0: no pacing).
class OutputQueue {
  public:
    explicit OutputQueue(double bytesPerSecond = 0) : bytesPerSecond_(bytesPerSecond) {}

    // `tag` lets a whole running sequence be called off before it reaches the wire.
    void schedule(SimTime at, std::vector<std::uint8_t> bytes, int tag = 0);
    void cancel(int tag);

    // The bytes that have left the device by `now`.
    std::vector<std::uint8_t> take(SimTime now);
    // When take() will next have bytes; nothing when the queue is empty.
    std::optional<SimTime> nextDue() const;
    bool empty() const { return wire_.empty() && scheduled_.empty(); }

  private:
    struct Piece {
        std::vector<std::uint8_t> bytes;
        int tag;
    };
    void moveDue(SimTime upTo);
    double byteMicros() const { return 1e6 / bytesPerSecond_; }

    double bytesPerSecond_;
    std::multimap<SimTime, Piece> scheduled_;
    std::deque<std::uint8_t> wire_;
    double wireClock_ = 0; // microseconds: when the last byte put on the wire has left
};

} // namespace interlock::sim
