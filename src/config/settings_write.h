#pragma once

#include "link/write_outcome.h"

#include <string>
#include <string_view>

namespace interlock {

// The interlock is given this long after each settings record written.
inline constexpr int kSettingsWriteWaitMs = 1000;

// Shown after a page's writes when the interlock refused one of them (see
// WriteOutcome); the page stays open so that the technician can try again.
inline constexpr std::string_view kSettingsWriteRefused =
    "The interlock refused the settings write.";
// Shown when the line dropped during the writes (after the lost port's own message).
inline constexpr std::string_view kSettingsWriteLineLost =
    "The line to the interlock was lost: the settings were not all written.";

// The message a page shows after its writes; empty when they all went through.
inline std::string settingsWriteFailure(const WriteOutcome& outcome) {
    if (outcome.lineLost())
        return std::string(kSettingsWriteLineLost);
    if (outcome.refused())
        return std::string(kSettingsWriteRefused);
    return {};
}

} // namespace interlock
