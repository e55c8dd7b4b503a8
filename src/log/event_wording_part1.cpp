#include "log/event_wording.h"

namespace interlock {

EventWording part1Wording(std::uint8_t code, std::uint8_t p) {
    using enum EventTail;
    switch (code) {
    case 0x10:
    case 0x11:
        return {" \tInitial Test Passed\t", Value};
    case 0x12:
        return {" \tInitial Test Failed\t", Value};
    case 0x15:
        return {" \tInterlock Memory is full\r\n", None};
    case 0x19:
        return {p == 0 ? " \tHandset Disconnected\r\n" : " \tHandset Reconnected\r\n", None};
    case 0x1A:
    case 0x1B:
        return {" \tRetest Passed\t", Value};
    case 0x1C:
        return {" \tRetest Failed\t", Value};
    case 0x20:
        return {" \tInvalid Breath Sample\t", ErrorCode};
    case 0x21:
        return {" \tHandset Temperature Out of Range\t", Blank};
    case 0x22:
        return {" \tControl Unit Temperature Out of Range\t", Temperature};
    case 0x23:
        if (p == 1)
            return {" \tPermanent Unlock  \r\n", None};
        if (p == 3)
            return {" \tEmergency Unlock  \r\n", None};
        return {" \tCondition Unlock  \r\n", None};
    case 0x27:
        return {" \tPower On", Seconds};
    case 0x28:
        return {" \tLow Battery Detect\t", Parameter};
    case 0x29:
        return {p == 0 ? " \tIgnition Off\r\n" : " \tIgnition On\r\n", None};
    case 0x2A:
        return {p == 0 ? " \tEmegency Key Off\r\n" : " \tEmegency Key On\r\n", None};
    case 0x2D:
        return {" \tPower Off\r\n", None};
    case 0x2F:
        return {" \tEngine Stop\r\n", None};
    case 0x30:
        return {" \tEngine Run\r\n", None};
    case 0x31:
        return {p == 0 ? " \tStart Relay Opened\r\n" : " \tStarter Relay Closed\r\n", None};
    case 0x32:
        return {" \tVehicle Movement Begins\r\n", None};
    case 0x33:
        return {" \tVehicle Movement Ends\r\n", None};
    case 0x36:
        return {" \tReal Time Clock Adjusted\r\n", None};
    case 0x45:
        return {" \tDevice Error\t", DeviceError};
    case 0x55:
        return {" \tCircumvention Bypass\r\n", None};
    case 0x60:
        return {" \tSet Exchanged\r\n", None};
    case 0x61:
        return {" \tControl Unit PC-Comm. Mode On\r\n", None};
    case 0x62:
        return {" \tControl Unit PC-Comm. Mode Off\r\n", None};
    case 0x63:
        return {" \tID Not Match\r\n", None};
    case 0x64:
        return {" \tRetest Request\r\n", None};
    case 0x68:
        return {" \tRetest Warning\r\n", None};
    case 0x6C:
        return {" \tRetest Not Delivered\r\n", None};
    case 0x70:
        return {" \tAccess Code Entry\r\n", None};
    case 0x74:
        return {" \tAccess Timer Reset\r\n", None};
    case 0x78:
        return {" \tAccess Timer Expired\r\n", None};
    case 0x7A:
        return {" \tEngine On Without Breath Test\r\n", None};
    case 0x7B:
        return {" \tVehicle Movement Without Breath Test\r\n", None};
    case 0x7C:
        return {" \tEarly Service Recall\r\n", None};
    case 0x80:
        return {" \tService Date Reset\r\n", None};
    case 0x84:
        return {" \tService Reminder\r\n", None};
    case 0x88:
        return {" \tService Reminder (Grace Period)\r\n", None};
    case 0x89:
        return {" \tService Period Expired\r\n", None};
    case 0x8C:
        return {" \tCalibration Reminder\r\n", None};
    case 0x90:
        return {" \tCalibration Reminder (Grace Period)\r\n", None};
    case 0x91:
        return {" \tCalibration Period Expired\r\n", None};
    case 0x92:
        return {" \tPermanent Lockout\r\n", None};
    case 0x94:
        return {" \tOptions Modified\r\n", None};
    case 0x98:
        return {" \tService Date Update\r\n", None};
    case 0x99:
        return {"", Calibration};
    case 0x9A:
        return {" \tHandset ID Change\r\n", None};
    case 0x9B:
        return {" \tControl Unit ID Change\r\n", None};
    case 0x9C:
        return {" \tLog Data Delete\r\n", None};
    case 0xA0:
        return {" \tOverride Unlock\r\n", None};
    case 0xA1:
        return {" \tOverride Stop\r\n", None};
    case 0xA5:
        return {" \tEngine RUN without Handset\r\n", None};
    case 0xA6:
        return {" \tHandset Disconnected During Engine Run\r\n", None};
    case 0xA7:
        return {" \tEngine On No Move 30 min\r\n", None};
    case 0xA9:
        return {" \tCalibration Result\t", Value};
    case 0xC0:
        return {" \tMemory Reset\r\n", None};
    default:
        return {" \r\n", None};
    }
}

} // namespace interlock
