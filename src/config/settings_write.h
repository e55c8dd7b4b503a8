#pragma once

#include "link/write_failure.h"

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
inline constexpr std::string_view kSettingsNotAllWritten = "the settings were not all written.";
inline const std::string kSettingsWriteLineLost = lineLostMessage(kSettingsNotAllWritten);

// The message a page shows after its writes; empty when they all went through.
inline std::string settingsWriteFailure(const WriteOutcome& outcome) {
    return writeFailure(outcome, kSettingsWriteRefused, kSettingsNotAllWritten);
}

} // namespace interlock
