#include "config/pairing_logic.h"

#include "link/codes.h"
#include "link/formatted.h"
#include "link/read_failure.h"
#include "link/trace.h"

#include <algorithm>
#include <cctype>

namespace interlock {

namespace {
// "<label> : %0.2x.%0.2x\r\n" in upper case (the '0' flag adds nothing to a precision).
std::string versionText(const char* label, unsigned major, unsigned minor) {
    std::string text = formatted("%s : %.2x.%.2x\r\n", label, major, minor);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}
} // namespace

PairingTexts pairingTexts(const ProgramState& state) {
    return {.firmware = versionText("VER", state.info.major(), state.info.minor()),
            .pc = versionText("PC", kKnownFirmwareMajor, kKnownFirmwareMinor)};
}

std::string pairingSerialNumber(Requester& requester) {
    trace("OnBnClickedButtonSerialNumber\r\n");
    if (requester.read(request::Pairing, {}, kPairingWaitMs))
        return {};
    return unansweredReadMessage("serial number");
}

void pairingSoftware(Requester& requester) {
    trace("OnBnClickedButtonSoftware\r\n");
    requester.pause(kPairingWaitMs);
}

NewPairForm pairingNewPair(Requester& requester) {
    trace("OnBnClickedButtonNewPair\r\n");
    requester.pause(kPairingWaitMs);
    return requester.state().identity.Part_type_f() == 2 ? NewPairForm::Part2 : NewPairForm::Part1;
}

} // namespace interlock
