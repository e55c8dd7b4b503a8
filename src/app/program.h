#pragma once

#include "app/menu_pages.h"
#include "app/page_launcher.h"
#include "app/program_duties.h"
#include "app/prompter.h"
#include "app/qt_pauser.h"
#include "link/dispatcher_host.h"
#include "link/program_state.h"
#include "link/requester.h"
#include "link/response_dispatcher.h"
#include "link/serial_channel.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace interlock {

// Everything the pages share: the program state, the serial channel with its
// dispatcher, the pause, the prompter, the page launcher and the 200 ms timer.
// One instance per run, owned by the main window (or by a command-line job); all
// on the GUI thread. It needs Qt Core and SerialPort only, no widgets.
//
// What the dispatcher and the timer tell an open page are this object's signals;
// a page connects the ones it needs with itself as context, so the connection ends
// with the page. The subsystems' duties (duties()) emit the signals of their own
// subsystem.
class Program : public QObject, private DispatcherHost {
    Q_OBJECT
  public:
    // `pauser` replaces the program's own waits (tests); null keeps them.
    explicit Program(Prompter& prompter, Pauser* pauser = nullptr, QObject* parent = nullptr);
    ~Program() override;

    ProgramState& state() { return *state_; }
    Requester& requester() { return requester_; }
    Prompter& prompter() { return prompter_; }
    PageLauncher& launcher() { return launcher_; }
    CComm& channel() { return channel_; }
    MenuPages& menuPages() { return menuPages_; }
    // The duties the subsystems registered for the main timer and their reports.
    ProgramDuties& duties() { return duties_; }

    // What keeps the pages' input back while the program waits (none by default).
    void holdDuringWaits(QtPauser::Hold hold) { pauser_.setHold(std::move(hold)); }

    void startTimer() { timer_.start(); }
    void stopTimer() { timer_.stop(); }

    // Closes the channel and forgets the identity of the last connection.
    void closeChannel();
    // Opens `portName`; `detail` says why not.
    bool openChannel(const std::string& portName, std::string& detail);
    // Tells the page launcher when dlg_enum asks for a page; called after whatever
    // may have stored it has run.
    void notePageRequest();

  signals:
    // dlg_enum asks for a page (the launcher takes it queued, from the event loop).
    void pageRequested();
    // The firmware version differs from the one this program knows (once per run).
    void versionNotice();
    // The calibration duties (registerCalibrationDuties) took a report of a started run.
    void calibrationRefresh();
    // The calibration verdict has stood for its ticks: the result page opens.
    void calibrationResult();
    void diagnosisRefresh();
    // The info record the firmware update page asked for has arrived.
    void versionChecked();
    // Each timer tick of a running log download (the log duties, registerLogDuties).
    void downloadRefresh();
    // The log download watchdog gave up on a stalled read.
    void downloadFailed();
    // While a log download runs, every received byte, unframed.
    void logBytesReceived(std::span<const std::uint8_t> bytes);
    // While the firmware loader dialogue runs, the receive ring to read.
    void firmwareBytesReceived(ReceiveRing& ring);

  private:
    // DispatcherHost
    void later(int ms, std::function<void()> task) override;
    CivilTime utcNow() override;
    void answerStored(std::uint8_t code) override { emit pauser_.answerStored(code); }
    void showVersionNotice() override { emit versionNotice(); }
    void calibrationStatusStored() override { runReportDuty(duties_.calibrationStatus); }
    void calibrationValueStored() override { runReportDuty(duties_.calibrationValue); }
    void refreshDiagnosisPage() override { emit diagnosisRefresh(); }
    void versionCheckAnswered() override { emit versionChecked(); }
    void logBytes(std::span<const std::uint8_t> bytes) override { emit logBytesReceived(bytes); }
    void firmwareBytes(ReceiveRing& ring) override { emit firmwareBytesReceived(ring); }

    void runReportDuty(const ReportDuty& duty);
    void onPortLost(const QString& detail);

    std::unique_ptr<ProgramState> state_;
    Prompter& prompter_;
    MenuPages menuPages_;
    ProgramDuties duties_;
    CComm channel_;
    QtPauser pauser_;
    Requester requester_;
    ResponseDispatcher dispatcher_;
    PageLauncher launcher_;
    QTimer timer_;
};

} // namespace interlock
