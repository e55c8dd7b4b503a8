#pragma once

#include "app/connect_procedure.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include <string>
#include <vector>

namespace interlock {

class Program;

// "PC Connect": picks the port and connects; the page the interlock's identity asks
// for opens over it.
class CPC_Connect_Dlg : public QDialog {
    Q_OBJECT
  public:
    CPC_Connect_Dlg(Program& program, std::vector<std::string> extraPorts, QWidget* parent);

    QComboBox* portList() const { return ports_; }
    QPushButton* connectButton() const { return connect_; }
    // Fills the port list again and selects its first entry (each time the page opens).
    void fillPorts();
    // Whether "Connect" starts the firmware update ("FW Update Mode" on the login window).
    void setFwUpdateMode(bool on) { fwUpdateMode_ = on; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void onConnect();

    Program& program_;
    std::vector<std::string> extraPorts_;
    PortSelection selection_;
    QComboBox* ports_;
    QPushButton* connect_;
    bool fwUpdateMode_ = false;
};

} // namespace interlock
