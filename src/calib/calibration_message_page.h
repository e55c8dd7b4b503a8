#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace interlock {

class Program;

// The calibration's result: one text, blue for a success and red for a failure, and
// "O K". However it closes, the menus close behind it and the program after them.
class CCalibration_Message : public QDialog {
    Q_OBJECT
  public:
    CCalibration_Message(Program& program, QWidget* parent);

    QLabel* resultText() const { return text_; }
    QPushButton* okButton() const { return ok_; }

    void done(int result) override;

  private:
    Program& program_;
    QLabel* text_;
    QPushButton* ok_;
    bool okPressed_ = false;
};

// Opens the result page over the page open now (DRY GAS, or wherever the technician
// went after closing it) and, once it has closed, closes that page too: the menus
// and the program close behind it as after every result.
void showCalibrationResult(Program& program);

} // namespace interlock
