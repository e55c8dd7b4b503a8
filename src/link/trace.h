#pragma once

#include "link/formatted.h"

#include <functional>
#include <string_view>

namespace interlock {

// Receives every trace line of the program. One sink for the whole process; the
// program installs a stderr sink when INTERLOCK_TRACE=1, tests install a recorder.
using TraceSink = std::function<void(std::string_view)>;

void setTraceSink(TraceSink sink);

// printf-style trace line. Each call is formatted on its own.
void trace(const char* format, ...) __attribute__((format(INTERLOCK_PRINTF_FORMAT, 1, 2)));

} // namespace interlock
