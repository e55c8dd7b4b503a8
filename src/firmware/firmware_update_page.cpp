#include "firmware/firmware_update_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "firmware/default_write.h"
#include "link/system_clock.h"
#include "link/trace.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace interlock {

namespace {
// The stream keeps this much queued in the channel: the line never waits for the
// event loop, and the percentage stays close to what has left.
constexpr qint64 kQueuedBytes = 2 * FirmwareUpdate::kBlockBytes;
constexpr int kTimerMs = 200;

QLabel* textLabel(const QString& text, int pixelSize, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    setHeavyFont(*label, pixelSize);
    return label;
}
} // namespace

CFirmware_Update::CFirmware_Update(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), update_(program.state(), *this) {
    buildControls();
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { update_.tick(); });
    connect(&program_, &Program::firmwareBytesReceived, this,
            [this](ReceiveRing& ring) { update_.onLoaderBytes(ring); });
    connect(&program_, &Program::versionChecked, this, [this] {
        update_.end();
        accept();
    });
    CComm& channel = program_.channel();
    connect(&channel, &CComm::bytesWritten, this, &CFirmware_Update::pump);
    connect(&channel, &CComm::writeFailed, this,
            [this](const QString& message, const QString& detail) {
                update_.writeFailed((message + QStringLiteral(": ") + detail).toStdString());
            });
    connect(&channel, &CComm::portLost, this,
            [this](const QString& detail) { update_.linkLost(detail.toStdString()); });
    if (program_.state().fwUpdateMode) {
        ok_->setEnabled(false);
        cancel_->setEnabled(false);
    }
}

CFirmware_Update::~CFirmware_Update() = default;

void CFirmware_Update::buildControls() {
    setWindowTitle(QStringLiteral("FIRMWARE UPDATE"));
    ok_ = plainButton(QStringLiteral("OK"), this);
    cancel_ = plainButton(QStringLiteral("CANCEL"), this);
    defaultWrite_ = plainButton(QStringLiteral("default write (PART 0)"), this);
    defaultWrite_->hide();
    percent_ = new QLabel(QStringLiteral("0%"), this);
    // Screen readers read what it shows ("45%", "WAIT"); a name would hide that.
    percent_->setAccessibleDescription(QStringLiteral("percentage"));
    setHeavyFont(*percent_, 30);
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) +
                              8);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QStringLiteral("firmware update progress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(percent_);
    progressRow->addWidget(progress_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(defaultWrite_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        textLabel(QStringLiteral("Reset all data and update the firmware."), 20, this));
    layout->addWidget(textLabel(
        QStringLiteral("The updating process will be started if you press ok."), 20, this));
    layout->addLayout(progressRow);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(ok_, &QPushButton::clicked, this, &CFirmware_Update::onOk);
    connect(cancel_, &QPushButton::clicked, this, &CFirmware_Update::onCancel);
    connect(defaultWrite_, &QPushButton::clicked, this, &CFirmware_Update::onDefaultWrite);
}

void CFirmware_Update::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A loader that spoke before the page opened (firmware-update mode) is served.
    ProgramState& state = program_.state();
    if (state.fwReceiveMode && state.ring.pending > 0)
        update_.onLoaderBytes(state.ring);
}

void CFirmware_Update::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if (enter || (escape && program_.state().fwReceiveMode && !cancel_->isEnabled())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CFirmware_Update::reject() {
    if (!update_.streaming())
        QDialog::reject();
}

void CFirmware_Update::done(int result) {
    timer_.stop();
    // Nothing listens to the loader once the page is gone: answers are frames again.
    program_.state().fwReceiveMode = false;
    QDialog::done(result);
}

void CFirmware_Update::onOk() {
    update_.startLoader();
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
}

void CFirmware_Update::onCancel() {
    trace("OnBnClickedButtonFirmwareUpdateCancel\r\n");
    reject();
}

void CFirmware_Update::onDefaultWrite() {
    defaultWrite(program_.requester(), systemUtcNow());
}

void CFirmware_Update::scheduleTransfer() {
    // Out of the receive handling: the file dialog and the stream run from the loop.
    QTimer::singleShot(0, this, [this] {
        if (update_.beginTransfer()) {
            // Offered after an earlier transfer came to nothing; not while one streams.
            cancel_->setEnabled(false);
            pump();
        }
    });
}

std::string CFirmware_Update::chooseImage() {
    return program_.prompter().openFileName("", "Firmware (*.bin);;All files (*)");
}

void CFirmware_Update::showMessage(const std::string& text, const std::string& detail) {
    Program& program = program_;
    QTimer::singleShot(0, &program,
                       [&program, text, detail] { program.prompter().message(text, detail); });
}

void CFirmware_Update::showPercent(int percent, const std::string& text) {
    percent_->setText(QString::fromStdString(text));
    progress_->setValue(percent);
}

void CFirmware_Update::showStatus(const std::string& text) {
    percent_->setText(QString::fromStdString(text));
}

void CFirmware_Update::pump() {
    CComm& channel = program_.channel();
    while (update_.streaming() && channel.bytesToWrite() < kQueuedBytes) {
        const std::size_t count = update_.nextBlock(block_);
        if (count == 0)
            return;
        channel.writeBytes(std::span(block_).first(count));
    }
}

} // namespace interlock
