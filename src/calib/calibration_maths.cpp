#include "calib/calibration_maths.h"

#include "link/formatted.h"

namespace interlock {

namespace {
constexpr float kReferenceFactor = 1.95f;
constexpr std::uint16_t kMinimumDensity = 40;
constexpr std::uint16_t kFinalLow = 450;
constexpr std::uint16_t kFinalHigh = 550;
} // namespace

std::uint16_t calibrationReference(std::uint16_t density) {
    // Above density 33,607 the product exceeds 16 bits: it wraps like the stored
    // 16-bit value instead of being an out-of-range float conversion.
    return static_cast<std::uint16_t>(
        static_cast<std::uint32_t>(density * static_cast<double>(kReferenceFactor)));
}

const char* calibrationStageResult(std::uint16_t density, std::uint16_t reference) {
    const bool fail =
        density < kMinimumDensity || reference > density * 2.5 || reference < density * 1.8;
    return fail ? "FAIL" : "OK";
}

FinalReading calibrationFinalReading(std::uint16_t density, TestUnit test_unit) {
    const auto tenth = static_cast<float>(density / 10);
    std::string text;
    switch (test_unit) {
    case TestUnit::PercentBac:
        text = formatted("%0.2f", static_cast<double>(tenth / 1000.0f));
        break;
    case TestUnit::Promille:
    case TestUnit::MgPer100ml:
        text = formatted("%0.1f", static_cast<double>(tenth / 100.0f));
        break;
    case TestUnit::MgPerL:
        text = formatted("%0.2f", static_cast<double>(tenth / 200.0f));
        break;
    default:
        text = formatted("%0.2f", static_cast<double>(static_cast<float>(density) / 1000.0f));
        break;
    }
    if (density >= kFinalLow && density <= kFinalHigh)
        return {text + " : OK", CalVerdict::Ok};
    return {std::to_string(density) + " : FAIL", CalVerdict::Fail};
}

} // namespace interlock
