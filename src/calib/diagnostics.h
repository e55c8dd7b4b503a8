#pragma once

#include "link/diagnosis_control.h"
#include "link/program_state.h"

#include <cstdint>
#include <string>

namespace interlock {

enum class DiagnosticsPage { Part1, Part2 };

// The texts of a diagnostics page's value fields. The five counters are shown by
// the PART 1 page only.
struct DiagnosticsView {
    std::string date{};
    std::string controlUnitSupply{};
    std::string handsetSupply{};
    std::string gSensor{};
    std::string bypass{};
    std::string noPower{};
    std::string retestRefuse{};
    std::string retestFail{};
    std::string startFail{};
    bool operator==(const DiagnosticsView&) const = default;
};

// What the fields show until the first report arrives.
DiagnosticsView diagnosticsPlaceholders();

// A diagnosis report as the page shows it: the interlock's clock (UTC) in local
// time, `offset` seconds ahead, or all zeros when the handset answers (`dut` 2); the
// supplies in volts; the G-sensor reading and the counters as numbers. The held
// record is left as received.
DiagnosticsView diagnosticsView(const DiagnosisRecord& report, std::uint8_t dut,
                                std::int32_t offset);

// A page closes: PART 1 switches diagnosis, sound and relay off on the interlock;
// PART 2 sends nothing and keeps the control bytes for the DOWNLOAD button.
void diagnosticsClosed(ProgramState& state, DiagnosticsPage page);

} // namespace interlock
