#pragma once

#include <QDialog>
#include <QLineEdit>

namespace interlock {

class Program;

// "SOFTWARE CHANGE": the interlock belongs to another product line; the right code
// writes it to PART 2.
class CSoftware_Change : public QDialog {
    Q_OBJECT
  public:
    CSoftware_Change(Program& program, QWidget* parent);
    QLineEdit* codeEdit() const { return code_; }

  private:
    void onOk();

    Program& program_;
    QLineEdit* code_;
};

} // namespace interlock
