#include "cli/info_job.h"

#include "cli/interlock_session.h"
#include "cli/job_output.h"
#include "cli/job_start.h"
#include "link/formatted.h"

namespace interlock::cli {

namespace {

std::string productLineName(std::uint8_t line) {
    switch (line) {
    case 0:
        return "not set";
    case 1:
        return "PART 1";
    case 2:
        return "PART 2";
    }
    return formatted("unknown (%d)", line);
}

std::string unitName(std::uint8_t dut) {
    switch (dut) {
    case ENUM_DUT_NONE:
        return "none";
    case ENUM_DUT_CONTROLBOX:
        return "control unit";
    case ENUM_DUT_HANDSET:
        return "handset";
    }
    return formatted("unknown (%d)", dut);
}

bool knownFirmware(const InfoRecord& info) {
    return info.major() == kKnownFirmwareMajor && info.minor() == kKnownFirmwareMinor;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

int runInfo(const CommandLine& line, JobReport& report) {
    InterlockSession session(report);
    if (const JobFailure failure = startJob(line, session, Part2Only::No))
        return report.fail(failure);

    const ProgramState& state = session.program().state();
    const IdentityRecord& identity = state.identity;
    const std::string firmware = formatted("%d.%d", state.info.major(), state.info.minor());
    if (line.json) {
        printJson({
            {"port", line.port},
            {"productLine", identity.Part_type_f()},
            {"productLineName", qt(productLineName(identity.Part_type_f()))},
            {"unit", identity.DUT()},
            {"unitName", qt(unitName(identity.DUT()))},
            {"firmware", qt(firmware)},
            {"firmwareKnown", knownFirmware(state.info)},
            {"handsetSerial", bytesText(identity.handset_serial())},
            {"controlSerial", bytesText(identity.control_serial())},
        });
    } else {
        printRows({
            {"Port", line.port.toStdString()},
            {"Product line", productLineName(identity.Part_type_f())},
            {"Unit", unitName(identity.DUT())},
            {"Firmware", firmware + (knownFirmware(state.info) ? ""
                                                               : " (not the version this "
                                                                 "program was made for)")},
            {"Handset S/N", shownBytes(identity.handset_serial())},
            {"Control unit S/N", shownBytes(identity.control_serial())},
        });
    }
    return exitCode(ExitStatus::Done);
}

} // namespace interlock::cli
