#pragma once

#include <QDialog>

class QLineEdit;

namespace interlock {

class Program;

// SERIAL NUMBER: the handset's and the control unit's serial numbers; only the
// connected unit's can be changed.
class CSerial_Number : public QDialog {
    Q_OBJECT
  public:
    CSerial_Number(Program& program, QWidget* parent);

    QLineEdit* handUnitEdit() const { return hand_; }
    QLineEdit* controlUnitEdit() const { return control_; }

  private:
    void onOk();

    Program& program_;
    QLineEdit* hand_;
    QLineEdit* control_;
};

} // namespace interlock
