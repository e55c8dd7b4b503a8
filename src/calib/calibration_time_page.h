#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string>

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
    // Closes the page after its writes went through; else says why and stays open,
    // so that the technician can try again or cancel.
    void closeUnlessFailed(const std::string& failure);

    Program& program_;
    QLineEdit* time_;
    QPushButton* service_;
    QPushButton* extraService_;
    QPushButton* cancel_;
};

} // namespace interlock
