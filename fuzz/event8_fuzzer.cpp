// 8-byte records without check byte or total (firmware before 0x0403).
#include "event_stream_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    interlock::fuzz::decodeEventSection(data, size, {0x0402, 0x0300});
    return 0;
}
