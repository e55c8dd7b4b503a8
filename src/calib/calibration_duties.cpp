#include "calib/calibration_duties.h"

#include "app/program.h"
#include "calib/calibration_reports.h"
#include "calib/calibration_result.h"

namespace interlock {

namespace {
// The calibration's duties tell the pages through the program's signals.
class ProgramCalibrationView final : public CalibrationView {
  public:
    explicit ProgramCalibrationView(Program& program) : program_(program) {}
    void refresh() override { emit program_.calibrationRefresh(); }
    void openResult() override { emit program_.calibrationResult(); }

  private:
    Program& program_;
};
} // namespace

void registerCalibrationDuties(Program& program) {
    ProgramDuties& duties = program.duties();
    duties.calibrationStatus = [&program](ProgramState& state) {
        ProgramCalibrationView view(program);
        takeCalibrationStatus(state, view);
    };
    duties.calibrationValue = [&program](ProgramState& state) {
        ProgramCalibrationView view(program);
        takeCalibrationValue(state, view);
    };
    duties.timer.push_back([&program](ProgramState& state) {
        ProgramCalibrationView view(program);
        calibrationResultTick(state, view);
    });
}

} // namespace interlock
