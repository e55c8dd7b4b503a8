#pragma once

#include "link/receive_ring.h"

#include <cstdint>
#include <functional>
#include <span>

namespace interlock {

// What open pages want to hear from the dispatcher and the main timer. A page sets
// its hook while it is open and clears it when it closes; an empty hook does nothing.
struct ProgramHooks {
    std::function<void()> versionNotice;
    std::function<void()> calibrationRefresh;
    std::function<void()> calibrationResult;
    std::function<void()> diagnosisRefresh;
    std::function<void()> versionCheckAnswered;
    std::function<void()> downloadRefresh;
    std::function<void()> downloadFail;
    std::function<void(std::span<const std::uint8_t>)> logBytes;
    std::function<void(ReceiveRing&)> firmwareBytes;
};

// Calls a hook when it is set.
template <typename Hook, typename... Args> void callHook(const Hook& hook, Args&&... args) {
    if (hook)
        hook(std::forward<Args>(args)...);
}

} // namespace interlock
