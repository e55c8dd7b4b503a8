#pragma once

#include "app/main_timer.h"
#include "app/menu_pages.h"
#include "app/page_launcher.h"
#include "app/program_hooks.h"
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
// One instance per run, owned by the main window; all on the GUI thread.
class Program : public QObject, private DispatcherHost, private TimerHost {
    Q_OBJECT
  public:
    explicit Program(Prompter& prompter, QObject* parent = nullptr);
    ~Program() override;

    ProgramState& state() { return *state_; }
    Requester& requester() { return requester_; }
    Prompter& prompter() { return prompter_; }
    ProgramHooks& hooks() { return hooks_; }
    PageLauncher& launcher() { return launcher_; }
    CComm& channel() { return channel_; }
    MenuPages& menuPages() { return menuPages_; }

    void startTimer() { timer_.start(); }
    void stopTimer() { timer_.stop(); }

    // Closes the channel and forgets the identity of the last connection.
    void closeChannel();
    // Opens `portName`; `detail` says why not.
    bool openChannel(const std::string& portName, std::string& detail);

  private:
    // DispatcherHost
    void later(int ms, std::function<void()> task) override;
    CivilTime utcNow() override;
    void answerStored(std::uint8_t code) override { emit pauser_.answerStored(code); }
    void showVersionNotice() override { callHook(hooks_.versionNotice); }
    void refreshCalibrationPage() override { callHook(hooks_.calibrationRefresh); }
    void refreshDiagnosisPage() override { callHook(hooks_.diagnosisRefresh); }
    void versionCheckAnswered() override { callHook(hooks_.versionCheckAnswered); }
    void logBytes(std::span<const std::uint8_t> bytes) override {
        callHook(hooks_.logBytes, bytes);
    }
    void firmwareBytes(ReceiveRing& ring) override { callHook(hooks_.firmwareBytes, ring); }
    // TimerHost
    void showMessage(const std::string& text) override;
    void openCalibrationResult() override { callHook(hooks_.calibrationResult); }
    void refreshDownloadPage() override { callHook(hooks_.downloadRefresh); }
    void failLogDownload() override { callHook(hooks_.downloadFail); }

    void onPortLost(const QString& detail);

    std::unique_ptr<ProgramState> state_;
    Prompter& prompter_;
    ProgramHooks hooks_;
    MenuPages menuPages_;
    CComm channel_;
    QtPauser pauser_;
    Requester requester_;
    ResponseDispatcher dispatcher_;
    PageLauncher launcher_;
    QTimer timer_;
};

} // namespace interlock
