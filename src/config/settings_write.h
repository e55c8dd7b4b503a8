#pragma once

#include <string_view>

namespace interlock {

// The interlock is given this long after each settings record written.
inline constexpr int kSettingsWriteWaitMs = 1000;

// Shown after a page's writes when the interlock refused one of them (see
// WriteOutcome); the page stays open so that the technician can try again.
inline constexpr std::string_view kSettingsWriteRefused =
    "The interlock refused the settings write.";

} // namespace interlock
