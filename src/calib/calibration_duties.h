#pragma once

namespace interlock {

class Program;

// Has the program judge the interlock's calibration reports (the DRY GAS page hears
// of them through the program's calibrationRefresh) and count, on the main timer,
// to the calibration's result (calibrationResult). The result page itself comes
// with the calibration pages.
void registerCalibrationDuties(Program& program);

} // namespace interlock
