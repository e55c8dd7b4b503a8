#include "link/trace.h"

#include "link/formatted.h"

#include <cstdarg>

namespace interlock {

namespace {
TraceSink& sink() {
    static TraceSink current;
    return current;
}
} // namespace

void setTraceSink(TraceSink newSink) {
    sink() = std::move(newSink);
}

void trace(const char* format, ...) {
    if (!sink())
        return;
    va_list args;
    va_start(args, format);
    const std::string line = vformatted(format, args);
    va_end(args);
    sink()(line);
}

} // namespace interlock
