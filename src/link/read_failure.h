#pragma once

#include <string>
#include <string_view>

namespace interlock {

// Said instead of opening a page whose opening read got no good answer, so that the
// page never offers to write records the program could not read: "The interlock did
// not answer the <what> read."
inline std::string unansweredReadMessage(std::string_view what) {
    return std::string("The interlock did not answer the ").append(what).append(" read.");
}

} // namespace interlock
