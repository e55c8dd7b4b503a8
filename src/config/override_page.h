#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace interlock {

class Program;
struct OverrideFields;

// OVERRIDE: switches the override on or off, sets its hours and the PIN code.
class COverride : public QDialog {
    Q_OBJECT
  public:
    COverride(Program& program, QWidget* parent);

    QPushButton* overrideButton() const { return onOff_; }
    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* pinEdit() const { return pin_; }

  private:
    OverrideFields fields() const;
    // The page reads its fields: an edit over four characters brings the framework's
    // limit message.
    void readFields() const;
    void applyLook();
    void onOk();

    Program& program_;
    bool overrideOff_ = false;
    QPushButton* onOff_;
    QLineEdit* time_;
    QLineEdit* pin_;
};

} // namespace interlock
