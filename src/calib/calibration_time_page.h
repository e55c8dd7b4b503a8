#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace interlock {

class Program;

// "Time Check": shows the last service time in local time and records a service
// (SERVICE, which also sets the interlock's clock) or an extra service.
class CCalibration_Time : public QDialog {
    Q_OBJECT
  public:
    CCalibration_Time(Program& program, QWidget* parent);

    QLineEdit* timeField() const { return time_; }
    QPushButton* serviceButton() const { return service_; }
    QPushButton* extraServiceButton() const { return extraService_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    Program& program_;
    QLineEdit* time_;
    QPushButton* service_;
    QPushButton* extraService_;
    QPushButton* cancel_;
};

} // namespace interlock
