#pragma once

#include "calib/dry_gas.h"

#include <QDialog>
#include <QPushButton>

#include <string>

namespace interlock {

class Program;

// "Calibration": the menu of CALIBRATION, CALIBRATION CHECK and TIME CHECK. It
// closes after a check, and after a calibration that asked the menus to close.
class CCalibration_Main : public QDialog {
    Q_OBJECT
  public:
    // `lastAltitude` is handed to the DRY GAS page (see there).
    CCalibration_Main(Program& program, std::string& lastAltitude, QWidget* parent);

    QPushButton* calibrationButton() const { return calibration_; }
    QPushButton* checkButton() const { return check_; }
    QPushButton* timeCheckButton() const { return timeCheck_; }

  private:
    void runDryGas(DryGasMode mode);
    void runTimeCheck();

    Program& program_;
    std::string& lastAltitude_;
    QPushButton* calibration_;
    QPushButton* check_;
    QPushButton* timeCheck_;
};

} // namespace interlock
