#include "app/main_menu_logic.h"

#include "app/user_accounts.h"
#include "link/codes.h"
#include "link/diagnosis_control.h"
#include "link/read_failure.h"
#include "link/trace.h"

namespace interlock {

namespace {

constexpr int kIdentityWrittenWaitMs = 1000;

const char* commandTrace(MenuCommand command) {
    switch (command) {
    case MenuCommand::Part1Diagnostics:
        return "OnBnClickedButtonPart1Diagnositic\r\n";
    case MenuCommand::Part1DeleteRecord:
        return "OnBnClickedButtonPart1DeleteRecord\r\n";
    case MenuCommand::Part1Calibration:
        return "OnBnClickedButtonPart1Calibration\r\n";
    case MenuCommand::Part1Settings:
        return "OnBnClickedButtonPart1Setting\r\n";
    case MenuCommand::Part1Pairing:
        return "OnBnClickedButtonPart1Pairing\r\n";
    case MenuCommand::Part1OptionalFeatures:
        return "OnBnClickedButtonPart1OptionalFeatures\r\n";
    case MenuCommand::Part1FirmwareUpdate:
        return "OnBnClickedButtonPart1FirmwareUpdate\r\n";
    case MenuCommand::Part1PinCode:
        return "OnBnClickedButtonPart1PinCode\r\n";
    case MenuCommand::Part2Diagnostics:
        return "OnBnClickedButtonPart2Diagnositic\r\n";
    case MenuCommand::Part2Download:
        return "OnBnClickedButtonPart2Download\r\n";
    case MenuCommand::Part2Calibration:
        return "OnBnClickedButtonPart2Calibration\r\n";
    case MenuCommand::Part2Settings:
        return "OnBnClickedButtonPart2Setting\r\n";
    case MenuCommand::Part2Pairing:
        return "OnBnClickedButtonPart2Pairing\r\n";
    case MenuCommand::Part2FirmwareUpdate:
        return "OnBnClickedButtonPart2FirmwareUpdate\r\n";
    case MenuCommand::Part2OptionalFeatures:
        return "OnBnClickedButtonPart2OptionalFeatures\r\n";
    case MenuCommand::Part2Override:
        return "OnBnClickedButtonPart2Override\r\n";
    }
    return "";
}

// Plain reads, each followed by the read wait.
void readAll(Requester& requester, std::initializer_list<std::uint8_t> codes) {
    for (const std::uint8_t code : codes)
        requester.read(code);
}

// The reads of a page that writes back the records it shows: they stop at the first
// one that got no good answer, and its page is not opened (the message says so), so
// that no record the program could not read is written back.
std::string readBeforeWriting(Requester& requester, std::initializer_list<std::uint8_t> codes,
                              std::string_view page) {
    for (const std::uint8_t code : codes) {
        if (!requester.read(code))
            return unansweredReadMessage(page);
    }
    return {};
}

// Diagnosis control: the switch byte and the two bytes the program state keeps.
// It switches the unit's diagnosis mode, so it gets its full wait like a write,
// even though the unit reports back at once.
void diagnosisControl(Requester& requester, std::uint8_t on) {
    requester.write(request::DiagnosisControl, diagnosisControlPayload(requester.state(), on),
                    Requester::kReadWaitMs);
}

} // namespace

MenuLook menuLook(MainMenu menu, const ProgramState& state) {
    const bool deleted = state.logDeleted;
    std::string caption = menu == MainMenu::Part1 ? "DELETE RECORD" : "DOWNLOAD";
    if (deleted)
        caption += "\r\n(delete-done)";
    return {caption, deleted};
}

bool beginMenu(ProgramState& state) {
    state.dlg_enum = PageRequest::None;
    return state.fwUpdateMode;
}

void firmwareFirstReturned(ProgramState& state) {
    state.closeMenuRequest = true;
}

void finishMenuInit(Requester& requester) {
    ProgramState& state = requester.state();
    int wait = Requester::kReadWaitMs;
    if (state.identityWritten) {
        state.identityWritten = false;
        wait = kIdentityWrittenWaitMs;
    }
    requester.pause(wait);
    state.link.send(request::ReadInfo);
}

std::string runCommandReads(MenuCommand command, Requester& requester) {
    trace("%s", commandTrace(command));
    using namespace request;
    switch (command) {
    case MenuCommand::Part1Diagnostics: {
        // Sent outright; the two kept bytes take these values from now on.
        requester.state().diagnosisControl = {0x00, 0x00};
        diagnosisControl(requester, 0x01);
        break;
    }
    case MenuCommand::Part1Settings:
        return readBeforeWriting(requester, {ReadConfig, ReadOption}, "settings");
    case MenuCommand::Part1Pairing:
    case MenuCommand::Part2Pairing:
        readAll(requester, {ReadInfo});
        break;
    case MenuCommand::Part1OptionalFeatures:
    case MenuCommand::Part2OptionalFeatures:
        return readBeforeWriting(requester, {ReadConfig, ReadService}, "optional features");
    case MenuCommand::Part1PinCode:
        return readBeforeWriting(requester, {ReadService}, "PIN code");
    case MenuCommand::Part2Override:
        return readBeforeWriting(requester, {ReadService}, "override");
    case MenuCommand::Part2Download:
        readAll(requester, {ReadConfig});
        diagnosisControl(requester, 0x01);
        diagnosisControl(requester, 0x00);
        break;
    case MenuCommand::Part2Settings:
        return readBeforeWriting(requester, {ReadConfig, ReadOption, ReadGSensor, ReadService},
                                 "settings");
    case MenuCommand::Part1DeleteRecord:
    case MenuCommand::Part1Calibration:
    case MenuCommand::Part1FirmwareUpdate:
    case MenuCommand::Part2Diagnostics:
    case MenuCommand::Part2Calibration:
    case MenuCommand::Part2FirmwareUpdate:
        break;
    }
    return {};
}

AfterPage afterPage(MenuCommand command) {
    switch (command) {
    case MenuCommand::Part1DeleteRecord:
    case MenuCommand::Part2Download:
        return AfterPage::RefreshLook;
    case MenuCommand::Part1Calibration:
    case MenuCommand::Part1FirmwareUpdate:
    case MenuCommand::Part2Calibration:
    case MenuCommand::Part2FirmwareUpdate:
        return AfterPage::CloseIfRequested;
    default:
        return AfterPage::Nothing;
    }
}

bool closeMenuAfter(MenuCommand command, const ProgramState& state) {
    return afterPage(command) == AfterPage::CloseIfRequested && state.closeMenuRequest;
}

void beginSoftwareChange(ProgramState& state) {
    state.dlg_enum = PageRequest::None;
}

SoftwareChangeVerdict softwareChangeOk(std::string_view code, Requester& requester) {
    trace("OnBnClickedButtonSoftwareChangeOk\r\n");
    for (const char c : code) {
        if (c == ' ')
            trace("null string catch username\r\n");
    }
    if (code != kSoftwareChangeCode) {
        trace("Master Code not equal\r\n");
        return {.message = std::string(kMasterCodeMessage), .clearCode = true};
    }
    IdentityRecord& identity = requester.state().identity;
    identity.set_Part_type_f(2);
    requester.write(request::WriteIdentity, identity.view(), kSoftwareChangeWaitMs);
    return {.closePage = true};
}

std::string softwareTargetText(const ProgramState& state) {
    return state.identity.Part_type_f() == 2 ? "The software will be changed to PART 2"
                                             : "The software will be changed to PART 1";
}

void softwareOk(Requester& requester) {
    trace("OnBnClickedButtonSoftwareOk\r\n");
    ProgramState& state = requester.state();
    state.link.send(request::WriteIdentity, state.identity.view());
    state.identity.set_Part_type_f(2);
    requester.pause(kSoftwareWriteWaitMs);
}

} // namespace interlock
