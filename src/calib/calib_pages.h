#pragma once

namespace interlock {

class Program;

// Gives both menus their CALIBRATION and DIAGNOSTICS pages, and opens the
// calibration's result page when the program calls for it.
void registerCalibrationPages(Program& program);

} // namespace interlock
