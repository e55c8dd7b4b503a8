#include "link/trace.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace interlock {

namespace {
TraceSink& sink() {
    static TraceSink current;
    return current;
}
} // namespace

void setTraceSink(TraceSink newSink) { sink() = std::move(newSink); }

void trace(const char* format, ...) {
    if (!sink())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length >= 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        sink()(std::string_view(text.data(), static_cast<std::size_t>(length)));
    }
    va_end(args);
}

} // namespace interlock
