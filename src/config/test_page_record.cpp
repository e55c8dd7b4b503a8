#include "config/test_page_record.h"

#include <algorithm>

namespace interlock {

namespace {
template <std::size_t N>
void place(WholeRecord& whole, std::size_t at, const ByteImage<N>& record) {
    std::copy(record.bytes.begin(), record.bytes.end(),
              whole.bytes.begin() + static_cast<std::ptrdiff_t>(at));
}
} // namespace

std::vector<std::uint8_t> wholeRecordToWrite(const ProgramState& state) {
    WholeRecord whole;
    place(whole, WholeRecord::kIdentityAt, state.identity);
    place(whole, WholeRecord::kOptionAt, state.option);
    place(whole, WholeRecord::kConfigAt, state.config);
    place(whole, WholeRecord::kServiceAt, state.service);
    place(whole, WholeRecord::kGSensorAt, state.gSensor);
    const auto size = static_cast<std::ptrdiff_t>(WholeRecord::sizeFor(state.identity.DUT()));
    return {whole.bytes.begin(), whole.bytes.begin() + size};
}

} // namespace interlock
