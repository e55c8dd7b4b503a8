#pragma once

#include "app/connect_procedure.h"
#include "app/port_list.h"
#include "app/port_watcher.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace interlock {

class Program;

// "PC Connect": picks the port and connects; the page the interlock's identity asks
// for opens over it. While it is shown, its list follows the adapters plugged in and
// pulled out.
class CPC_Connect_Dlg : public QDialog {
    Q_OBJECT
  public:
    using PortSource = std::function<std::vector<OfferedPort>()>;
    // Within this time of a change of the system's ports the list shows it.
    static constexpr int kPortSettleMs = 300;

    CPC_Connect_Dlg(Program& program, std::vector<std::string> extraPorts, QWidget* parent);

    QComboBox* portList() const { return ports_; }
    QPushButton* connectButton() const { return connect_; }
    PortWatcher& portWatcher() { return watcher_; }
    // Where the ports come from (tests); the system's ports and the extra paths by default.
    void setPortSource(PortSource source) { source_ = std::move(source); }
    // Fills the port list again and selects its first entry (each time the page opens).
    void fillPorts();
    // Whether "Connect" starts the firmware update ("FW Update Mode" on the login window).
    void setFwUpdateMode(bool on) { fwUpdateMode_ = on; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void onConnect();
    // The system's ports have settled after a change: the list follows them.
    void followPorts();
    // Shows the selection's entries, each with its port's label.
    void showPorts(const std::vector<OfferedPort>& offered);

    Program& program_;
    PortSource source_;
    PortWatcher watcher_;
    QTimer settle_;
    PortSelection selection_;
    QComboBox* ports_;
    QPushButton* connect_;
    bool fwUpdateMode_ = false;
};

} // namespace interlock
