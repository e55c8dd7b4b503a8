#pragma once

#include <QDialog>

class QLineEdit;

namespace interlock {

class Program;

// PIN CODE: sets the interlock's four-digit PIN.
class CPin_Code : public QDialog {
    Q_OBJECT
  public:
    CPin_Code(Program& program, QWidget* parent);

    QLineEdit* pinEdit() const { return pin_; }

  private:
    void onOk();

    Program& program_;
    QLineEdit* pin_;
};

} // namespace interlock
