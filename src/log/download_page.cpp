#include "log/download_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "link/trace.h"
#include "log/delete_confirm_page.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace interlock {

namespace {
constexpr int kProgressSteps = 1000;
} // namespace

CDownLoad_Part2::CDownLoad_Part2(Program& program, std::filesystem::path exportFolder,
                                 QWidget* parent, LogReviewOpener openReview)
    : QDialog(parent), program_(program), exportFolder_(std::move(exportFolder)),
      download_(program.requester(), *this, exportFolder_), openReview_(std::move(openReview)) {
    buildControls();
    refreshTimer_.setInterval(LogView::kFlushMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &CDownLoad_Part2::refresh);

    connect(&program_, &Program::logBytesReceived, this,
            [this](std::span<const std::uint8_t> bytes) { download_.onBytes(bytes); });
    connect(&program_, &Program::downloadRefresh, this, &CDownLoad_Part2::refresh);
    connect(&program_, &Program::downloadFailed, this, [this] { download_.fail(); });
}

void CDownLoad_Part2::buildControls() {
    setWindowTitle(QStringLiteral("DOWNLOAD"));
    registration_ = new QLineEdit(this);
    setHeavyFont(*registration_);
    const QString caption = QStringLiteral("REGISTRATION NUMBER");
    QLabel* label = captionFor(*registration_, caption, this);
    label->setAccessibleName(caption);

    readLog_ = plainButton(QStringLiteral("READ LOG"), this);
    deleteLog_ = plainButton(QStringLiteral("DELETE LOG"), this);
    view_ = new LogView(this);
    view_->setAccessibleName(QStringLiteral("log view"));
    view_->setMinimumSize(640, 360);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QStringLiteral("log read progress"));
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    const QString folderPath = exportFolder_.empty()
                                   ? QDir::currentPath()
                                   : QString::fromStdString(exportFolder_.string());
    const QString where =
        QStringLiteral("Export files are saved in %1").arg(QDir::toNativeSeparators(folderPath));
    auto* folder = new QLabel(where, this);
    folder->setAccessibleName(where);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->addRow(label, registration_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readLog_);
    buttons->addWidget(deleteLog_);
    if (openReview_) {
        review_ = plainButton(QStringLiteral("REVIEW"), this);
        review_->setEnabled(false);
        buttons->addWidget(review_);
        connect(review_, &QPushButton::clicked, this, &CDownLoad_Part2::onReview);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(view_, 1);
    layout->addWidget(folder);

    connect(readLog_, &QPushButton::clicked, this, &CDownLoad_Part2::onReadLog);
    connect(deleteLog_, &QPushButton::clicked, this, &CDownLoad_Part2::onDeleteLog);
}

void CDownLoad_Part2::reject() {
    if (!download_.running())
        QDialog::reject();
}

void CDownLoad_Part2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDownLoad_Part2::setDeleteLogEnabled(bool enabled) {
    deleteLog_->setEnabled(enabled);
    // A read takes DELETE LOG away when it starts and gives it back only when it
    // completes: REVIEW follows, as it needs the export file of a complete read.
    if (review_)
        review_->setEnabled(enabled);
}

void CDownLoad_Part2::appendToView(std::string_view screenText) {
    view_->queue(screenText);
}

void CDownLoad_Part2::clearView() {
    view_->clearAll();
    progress_->setValue(0);
}

void CDownLoad_Part2::showMessage(const std::string& text) {
    // Called from inside the dispatcher: the message box opens from the event loop.
    QTimer::singleShot(0, this, [this, text] { program_.prompter().message(text); });
}

void CDownLoad_Part2::onReadLog() {
    if (!exportFolder_.empty())
        QDir().mkpath(QString::fromStdString(exportFolder_.string()));
    // The typed number reaches the file name and the file in the system's 8-bit
    // encoding (the ANSI code page on Windows), the one the log view reads back.
    const QByteArray registration = registration_->text().toLocal8Bit();
    if (download_.startRead(std::string_view(registration.constData(),
                                             static_cast<std::size_t>(registration.size()))))
        refreshTimer_.start();
}

void CDownLoad_Part2::onDeleteLog() {
    trace("OnBnClickedButtonDeleteLog\r\n");
    CDelete_Log_Part2 confirmation(program_, this);
    if (confirmDelete(confirmation))
        accept();
}

void CDownLoad_Part2::onReview() {
    openReview_(exportFolder_ / download_.exportFileName(), this);
}

void CDownLoad_Part2::refresh() {
    const LogProgress now = download_.progress();
    if (!download_.running())
        refreshTimer_.stop();
    view_->flush();
    if (now.section != LogSection::Events || now.bodySize == 0)
        return;
    const auto done = static_cast<std::uint64_t>(std::min(now.bodyBytes, now.bodySize));
    progress_->setValue(static_cast<int>(done * kProgressSteps / now.bodySize));
    progress_->setFormat(QStringLiteral("%1 records, %p%").arg(now.records));
}

} // namespace interlock
