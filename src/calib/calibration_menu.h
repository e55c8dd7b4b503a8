#pragma once

#include "calib/dry_gas.h"
#include "link/requester.h"

#include <string>

namespace interlock {

// "CALIBRATION" and "CALIBRATION CHECK": the mode the dispatcher judges by, then
// the option read (its test unit words the check) before the DRY GAS page opens.
void beginDryGas(Requester& requester, DryGasMode mode);

// True when the calibration menu closes once its DRY GAS page has returned:
// always after a check, after a calibration when the menus are asked to close.
bool closeMenuAfterDryGas(DryGasMode mode, const ProgramState& state);

// "TIME CHECK": the service read before the Time Check page opens. Empty when it was
// answered, else the message to show instead of the page, which would write the
// service record back.
std::string beginTimeCheck(Requester& requester);

} // namespace interlock
