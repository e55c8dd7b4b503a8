#include "config/settings_part2_lists.h"

#include <array>

namespace interlock {

namespace {

using Items = std::span<const std::string_view>;

struct Unit {
    TestUnit code;
    std::array<std::string_view, 10> limits;
};

constexpr std::string_view kUnitItems[] = {"mg/L", "g/L(Promille)", "%BAC", "mg/100ml"};
constexpr Unit kUnits[] = {
    {TestUnit::MgPerL,
     {"0.05", "0.10", "0.15", "0.20", "0.25", "0.30", "0.35", "0.40", "0.45", "0.50"}},
    {TestUnit::Promille, {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}},
    {TestUnit::PercentBac,
     {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.10"}},
    {TestUnit::MgPer100ml, {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
};
constexpr int kUnitCount = static_cast<int>(std::size(kUnits));
constexpr std::string_view kDisplayModes[] = {"PASS/FAIL", "VALUE"};
constexpr std::string_view kBlowLevels[] = {"0.80L", "0.95L", "1.00L", "1.15L"};
constexpr std::string_view kBlowTypes[] = {"BLOW", "B-S", "B-S-B"};
constexpr std::string_view kGSensorLevels[] = {"NONE", "SOFT", "NORMAL", "HARD"};

constexpr std::uint8_t kDensityStep = 5;
constexpr int kBlockingLimitCount = 10;
constexpr int kDefaultBlockingIndex = 4;

bool validUnit(int unitIndex) {
    return unitIndex >= 0 && unitIndex < kUnitCount;
}

} // namespace

std::span<const std::string_view> listItems(Part2List list, int unitIndex) {
    switch (list) {
    case Part2List::Unit:
        return kUnitItems;
    case Part2List::BlockingLimit:
        return kUnits[validUnit(unitIndex) ? unitIndex : 0].limits;
    case Part2List::DisplayMode:
        return kDisplayModes;
    case Part2List::BlowLevel:
        return kBlowLevels;
    case Part2List::TypeOfBlowing:
        return kBlowTypes;
    case Part2List::GSensor:
        return kGSensorLevels;
    }
    return {};
}

int unitIndexFor(TestUnit testUnit) {
    for (int i = 0; i < kUnitCount; ++i) {
        if (kUnits[i].code == testUnit)
            return i;
    }
    return 0;
}

TestUnit unitCodeAt(int unitIndex) {
    return kUnits[validUnit(unitIndex) ? unitIndex : 0].code;
}

int blockingIndexFor(std::uint8_t alarmDensity) {
    const int index = alarmDensity / kDensityStep - 1;
    if (alarmDensity % kDensityStep != 0 || index < 0 || index >= kBlockingLimitCount)
        return kDefaultBlockingIndex;
    return index;
}

std::uint8_t alarmDensityAt(int blockingIndex) {
    return static_cast<std::uint8_t>((blockingIndex + 1) * kDensityStep);
}

int indexOrFirst(std::uint8_t value, std::size_t count) {
    return value < count ? value : 0;
}

} // namespace interlock
