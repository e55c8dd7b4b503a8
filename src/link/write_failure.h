#pragma once

#include "link/write_outcome.h"

#include <string>
#include <string_view>

namespace interlock {

// How every page's message about a lost line begins; the page says what was not done.
inline constexpr std::string_view kLineLostLead = "The line to the interlock was lost: ";

inline std::string lineLostMessage(std::string_view notDone) {
    return std::string(kLineLostLead).append(notDone);
}

// The message after a page's writes; empty when they all went through. A lost line
// comes first: the interlock may not have heard the request at all.
inline std::string writeFailure(const WriteOutcome& outcome, std::string_view refused,
                                std::string_view notDone) {
    if (outcome.lineLost())
        return lineLostMessage(notDone);
    if (outcome.refused())
        return std::string(refused);
    return {};
}

} // namespace interlock
