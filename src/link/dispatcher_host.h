#pragma once

#include "link/civil_time.h"
#include "link/receive_ring.h"

#include <cstdint>
#include <functional>
#include <span>

namespace interlock {

// What the dispatcher needs from its surroundings. The dispatcher never blocks and
// never opens a page itself: whatever comes later, or in a dialog, is scheduled.
class DispatcherHost {
  public:
    virtual ~DispatcherHost() = default;
    // Runs `task` on the event loop after `ms` milliseconds (0: as soon as possible).
    virtual void later(int ms, std::function<void()> task) = 0;
    virtual CivilTime utcNow() = 0;

    // A good answer with `code` was stored (TE_ID for 0xBB too); ends a page's wait.
    virtual void answerStored(std::uint8_t /*code*/) {}
    // The firmware version differs from the one this program knows (once per run).
    virtual void showVersionNotice() {}
    // A calibration status report was stored: the calibration dialogue moves on
    // before the time answer goes out. Every good report is stored and answered,
    // whether a calibration was started or not; the dialogue decides what it means.
    virtual void calibrationStatusStored() {}
    // A calibration value report was stored: the calibration dialogue takes it
    // before it is echoed.
    virtual void calibrationValueStored() {}
    // A diagnosis report was stored for the open diagnostics page.
    virtual void refreshDiagnosisPage() {}
    // The info record the firmware update page asked for has arrived.
    virtual void versionCheckAnswered() {}
    // While a log download runs, every received byte goes here unframed.
    virtual void logBytes(std::span<const std::uint8_t> /*bytes*/) {}
    // While the firmware loader dialogue runs, it reads the ring itself.
    virtual void firmwareBytes(ReceiveRing& /*ring*/) {}
};

} // namespace interlock
