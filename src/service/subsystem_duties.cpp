#include "service/subsystem_duties.h"

#include "calib/calibration_duties.h"
#include "log/log_duties.h"

namespace interlock {

void registerSubsystemDuties(Program& program) {
    registerLogDuties(program);
    registerCalibrationDuties(program);
}

} // namespace interlock
