// 10-byte records with check byte and total: times in UTC (0x0404) or as recorded.
#include "event_stream_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    interlock::fuzz::decodeEventSection(data, size, {0x0404, 0x0403});
    return 0;
}
