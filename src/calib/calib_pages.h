#pragma once

namespace interlock {

class Program;

// Gives both menus their CALIBRATION and DIAGNOSTICS pages.
void registerCalibrationPages(Program& program);

} // namespace interlock
