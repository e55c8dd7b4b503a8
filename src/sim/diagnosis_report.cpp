#include "sim/diagnosis_report.h"

namespace interlock::sim {

DiagnosisRecord diagnosisReport(const DeviceRecords& records, const CivilTime& clock,
                                const DiagnosisSwitches& switches, std::uint32_t sequence) {
    DiagnosisRecord report;
    report.setU8(0, records.identity.DUT());
    // 12.4 V give or take 0.2 V; the relay coil pulls the supply down a little.
    const auto wobble = static_cast<int>(sequence * 7 % 5) - 2;
    report.setLe16(1, static_cast<std::uint16_t>(62 + wobble - (switches.relay ? 1 : 0)));
    report.setU8(3, static_cast<std::uint8_t>(clock.year - 2000));
    report.setU8(4, static_cast<std::uint8_t>(clock.month));
    report.setU8(5, static_cast<std::uint8_t>(clock.day));
    report.setU8(6, static_cast<std::uint8_t>(clock.hour));
    report.setU8(7, static_cast<std::uint8_t>(clock.minute));
    report.setU8(8, static_cast<std::uint8_t>(clock.second));
    report.setLe16(9, static_cast<std::uint16_t>(512 + static_cast<int>(sequence * 13 % 9) - 4));
    report.setU8(11, switches.sound);
    report.setU8(12, switches.relay);
    report.setLe16(16, static_cast<std::uint16_t>(3705 + wobble * 10));
    for (std::size_t i = 0; i < records.counters.size(); ++i)
        report.setU8(18 + i, records.counters[i]);
    return report;
}

} // namespace interlock::sim
