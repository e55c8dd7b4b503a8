#include "config/serial_number_logic.h"

#include "config/settings_write.h"
#include "link/codes.h"
#include "link/trace.h"
#include "link/write_outcome.h"

namespace interlock {

SerialNumberFields serialNumberOpening(const ProgramState& state) {
    const IdentityRecord& identity = state.identity;
    const bool controlUnit = identity.DUT() == ENUM_DUT_CONTROLBOX;
    return {.hand = identity.handset_serial(),
            .control = identity.control_serial(),
            .handEditable = !controlUnit,
            .controlEditable = controlUnit};
}

bool serialsFit(std::string_view hand, std::string_view control) {
    return hand.size() == IdentityRecord::kSerialWidth &&
           control.size() == IdentityRecord::kSerialWidth;
}

std::string serialNumberOk(std::string_view hand, std::string_view control, Requester& requester) {
    trace("OnBnClickedButtonSerialNumberOk\r\n");
    const std::string handText(hand);
    const std::string controlText(control);
    trace("Edit_Serial_Number_Hand_Unit = %s\r\n", handText.c_str());
    trace("Edit_Serial_Number_Control_Unit = %s\r\n", controlText.c_str());
    if (hand.size() != IdentityRecord::kSerialWidth)
        return std::string(kHandsetIdLengthMessage);
    if (control.size() != IdentityRecord::kSerialWidth)
        return std::string(kControlIdLengthMessage);
    IdentityRecord& identity = requester.state().identity;
    identity.set_handset_serial(hand);
    identity.set_control_serial(control);
    identity.set_Part_type_f(2);
    const WriteOutcome outcome(requester.state());
    requester.writeAcknowledged(request::WriteIdentity, identity.view(), kSerialAnswerWaitMs,
                                response::ACK);
    return settingsWriteFailure(outcome);
}

} // namespace interlock
