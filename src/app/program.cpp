#include "app/program.h"

#include "link/system_clock.h"
#include "link/trace.h"

namespace interlock {

namespace {
constexpr int kTimerMs = 200;
} // namespace

Program::Program(Prompter& prompter, Pauser* pauser, QObject* parent)
    : QObject(parent), state_(std::make_unique<ProgramState>()), prompter_(prompter),
      pauser_(*state_), requester_(*state_, pauser ? *pauser : pauser_),
      dispatcher_(*state_, *this), launcher_(*state_) {
    // Queued: a page never opens from inside the code that asked for it.
    connect(this, &Program::pageRequested, &launcher_, &PageLauncher::openRequested,
            Qt::QueuedConnection);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { runTimerTick(*state_, duties_.timer); });
    connect(&channel_, &CComm::received, this, [this](const QByteArray& bytes) {
        dispatcher_.onBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
        notePageRequest();
    });
    connect(&channel_, &CComm::portLost, this, &Program::onPortLost);
    // Message boxes never open inside the port's own signal handling.
    connect(
        &channel_, &CComm::writeFailed, this,
        [this](const QString& message) { prompter_.message(message.toStdString()); },
        Qt::QueuedConnection);
}

Program::~Program() {
    closeChannel();
}

void Program::closeChannel() {
    channel_.close();
    state_->ring.clear();
    state_->identitySeen = false;
}

bool Program::openChannel(const std::string& portName, std::string& detail) {
    QString why;
    if (!channel_.open(QString::fromStdString(portName), &why)) {
        detail = why.toStdString();
        return false;
    }
    // Whatever an earlier line left half-received is no part of this one.
    state_->ring.clear();
    return true;
}

void Program::later(int ms, std::function<void()> task) {
    QTimer::singleShot(ms, this, [this, task = std::move(task)] {
        task();
        notePageRequest();
    });
}

void Program::notePageRequest() {
    if (state_->dlg_enum != PageRequest::None)
        emit pageRequested();
}

CivilTime Program::utcNow() {
    return systemUtcNow();
}

void Program::runReportDuty(const ReportDuty& duty) {
    if (duty)
        duty(*state_);
}

void Program::onPortLost(const QString& detail) {
    ++state_->linesLost;
    // Requests made from now on go nowhere, and the pages that write learn so.
    state_->link.setChannel(nullptr);
    state_->ring.clear();
    state_->identitySeen = false;
    const std::string name = channel_.portName().toStdString();
    QTimer::singleShot(0, this, [this, name, detail] {
        prompter_.message("Check " + name + " Communication", detail.toStdString());
    });
}

} // namespace interlock
