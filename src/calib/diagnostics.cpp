#include "calib/diagnostics.h"

#include "link/codes.h"
#include "link/formatted.h"
#include "link/local_time.h"

namespace interlock {

namespace {
constexpr std::size_t kControlUnitSupplyAt = 1;
constexpr std::size_t kClockAt = 3;
constexpr std::size_t kGSensorAt = 9;
constexpr std::size_t kHandsetSupplyAt = 16;
constexpr float kControlUnitRawPerVolt = 5.0f;
constexpr float kHandsetRawPerVolt = 285.0f;

std::string volts(std::uint16_t raw, float rawPerVolt) {
    const float value = static_cast<float>(raw) / rawPerVolt;
    return formatted("%0.1fV", static_cast<double>(value));
}

std::string count(int value) {
    return formatted("%d", value);
}

std::string dateText(const DiagnosisRecord& report, std::uint8_t dut, std::int32_t offset) {
    LogStamp shown{0, 0, 0, 0, 0, 0};
    if (dut != ENUM_DUT_HANDSET) {
        const auto at = [&report](std::size_t i) { return int{report.u8(kClockAt + i)}; };
        shown = localForDisplay({at(0), at(1), at(2), at(3), at(4), at(5)}, offset);
    }
    return formatted("%d / %d / %d  %d:%d:%d", shown.year, shown.month, shown.day, shown.hour,
                     shown.minute, shown.second);
}
} // namespace

DiagnosticsView diagnosticsPlaceholders() {
    return {"16/12/31", "12.0V", "13.0V", "255", "1", "2", "3", "4", "5"};
}

DiagnosticsView diagnosticsView(const DiagnosisRecord& report, std::uint8_t dut,
                                std::int32_t offset) {
    return {.date = dateText(report, dut, offset),
            .controlUnitSupply = volts(report.le16(kControlUnitSupplyAt), kControlUnitRawPerVolt),
            .handsetSupply = volts(report.le16(kHandsetSupplyAt), kHandsetRawPerVolt),
            .gSensor = count(report.le16(kGSensorAt)),
            .bypass = count(report.StartWithoutApproved()),
            .noPower = count(report.NoPower()),
            .retestRefuse = count(report.Retest_Refuse()),
            .retestFail = count(report.Retest_Fail()),
            .startFail = count(report.Starter_Test_Fail())};
}

void diagnosticsClosed(ProgramState& state, DiagnosticsPage page) {
    if (page == DiagnosticsPage::Part2)
        return;
    diagnosisOff(state);
}

} // namespace interlock
