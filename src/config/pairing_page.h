#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace interlock {

class Program;

// PAIRING: the unit's firmware version beside the program's, and the way to the
// SERIAL NUMBER, SOFTWARE and NEW PAIR pages.
class CPairing : public QDialog {
    Q_OBJECT
  public:
    CPairing(Program& program, QWidget* parent);

    QLineEdit* firmwareVersion() const { return firmware_; }
    QLineEdit* pcVersion() const { return pc_; }
    QPushButton* serialNumberButton() const { return serialNumber_; }
    QPushButton* softwareButton() const { return software_; }
    QPushButton* newPairButton() const { return newPair_; }

  private:
    void openSerialNumber();
    void openSoftware();
    void openNewPair();

    Program& program_;
    QLineEdit* firmware_;
    QLineEdit* pc_;
    QPushButton* serialNumber_;
    QPushButton* software_;
    QPushButton* newPair_;
};

} // namespace interlock
