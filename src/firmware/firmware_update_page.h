#pragma once

#include "firmware/firmware_update.h"
#include "firmware/firmware_update_host.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <array>

namespace interlock {

class Program;

// "FIRMWARE UPDATE": starts the interlock's loader, streams the image the technician
// chooses when the loader says it is ready, shows the percentage, then waits for the
// interlock to answer with its new firmware version. The stream is written on the
// event loop as the channel drains; the page cannot be closed while it runs.
class CFirmware_Update : public QDialog, private FirmwareUpdateHost {
    Q_OBJECT
  public:
    CFirmware_Update(Program& program, QWidget* parent);
    ~CFirmware_Update() override;

    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* defaultWriteButton() const { return defaultWrite_; }
    QLabel* percentLabel() const { return percent_; }
    QProgressBar* progressBar() const { return progress_; }
    const FirmwareUpdate& update() const { return update_; }

    // Refused while the image streams (Escape, the close button). Escape is also
    // swallowed while the page waits for the loader with CANCEL disabled.
    void reject() override;
    void done(int result) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // FirmwareUpdateHost
    void scheduleTransfer() override;
    std::string chooseImage() override;
    void showMessage(const std::string& text, const std::string& detail) override;
    void showPercent(int percent, const std::string& text) override;
    void showStatus(const std::string& text) override;
    void startTimer() override { timer_.start(); }
    void stopTimer() override { timer_.stop(); }
    void offerCancel() override { cancel_->setEnabled(true); }

    void buildControls();
    void onOk();
    void onCancel();
    void onDefaultWrite();
    // Keeps the channel's write queue filled with the stream until it ends.
    void pump();

    Program& program_;
    FirmwareUpdate update_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* defaultWrite_ = nullptr;
    QLabel* percent_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer timer_;
    std::array<std::uint8_t, FirmwareUpdate::kBlockBytes> block_{};
};

} // namespace interlock
