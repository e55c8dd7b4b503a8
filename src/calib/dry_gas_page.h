#pragma once

#include "calib/dry_gas.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace interlock {

class Program;

// "DRY GAS": calibrates the sensor with dry gas, or checks its calibration. The
// three status fields follow the interlock's reports; once the verdict has stood
// its time, the result page opens over this page (showCalibrationResult), or over
// whatever page is open should this one have closed already.
class CCalibration_DryGas : public QDialog {
    Q_OBJECT
  public:
    // `lastAltitude` is the altitude last typed on this page in this run of the
    // program; the page keeps it up to date and a check starts with it.
    CCalibration_DryGas(Program& program, DryGasMode mode, std::string& lastAltitude,
                        QWidget* parent);

    QPushButton* startButton() const { return start_; }
    QLineEdit* altitudeEdit() const { return altitude_; }
    QLineEdit* firstResult() const { return first_; }
    QLineEdit* secondResult() const { return second_; }
    QLineEdit* checkResult() const { return check_; }

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildControls();
    void onAltitudeChanged(const QString& text);
    void onStart();
    void refreshTexts();
    void closeIfAsked();

    Program& program_;
    DryGasRun run_;
    std::string& lastAltitude_;
    bool startAtOnce_ = false;
    QPushButton* start_ = nullptr;
    QLineEdit* altitude_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QLineEdit* check_ = nullptr;
};

} // namespace interlock
