#include "app/pc_connect_page.h"

#include "app/page_controls.h"
#include "app/program.h"
#include "app/program_channel_opener.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>

#include <algorithm>

namespace interlock {

CPC_Connect_Dlg::CPC_Connect_Dlg(Program& program, std::vector<std::string> extraPorts,
                                 QWidget* parent)
    : QDialog(parent), program_(program),
      source_([extra = std::move(extraPorts)] { return availablePorts(extra); }) {
    setWindowTitle(QStringLiteral("PC Connect"));
    ports_ = new QComboBox(this);
    ports_->setMinimumContentsLength(16);
    QLabel* label = captionFor(*ports_, QStringLiteral("PORT"), this);
    connect_ = new QPushButton(QStringLiteral("Connect"), this);
    connect_->setDefault(true);
    auto* form = new QFormLayout(this);
    form->addRow(label, ports_);
    form->addRow(connect_);
    // The port shown is the port chosen, however it was picked: mouse, keys, a screen
    // reader or the program (refills are made with signals blocked).
    connect(ports_, &QComboBox::currentIndexChanged, this,
            [this](int index) { selection_.select(index); });
    connect(connect_, &QPushButton::clicked, this, &CPC_Connect_Dlg::onConnect);
    // A plug or pull comes as a burst of changes in the device folder: the list is
    // read once they have settled.
    settle_.setSingleShot(true);
    settle_.setInterval(kPortSettleMs);
    connect(&watcher_, &PortWatcher::portsMayHaveChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &CPC_Connect_Dlg::followPorts);
}

namespace {
std::vector<std::string> namesOf(const std::vector<OfferedPort>& offered) {
    std::vector<std::string> names;
    for (const OfferedPort& port : offered)
        names.push_back(port.name);
    return names;
}
} // namespace

void CPC_Connect_Dlg::fillPorts() {
    const std::vector<OfferedPort> offered = source_();
    selection_.init(namesOf(offered));
    showPorts(offered);
}

void CPC_Connect_Dlg::followPorts() {
    if (!isVisible())
        return; // read again when the page opens
    // Labels may change too: a port's description can come a moment after its node.
    const std::vector<OfferedPort> offered = source_();
    selection_.follow(namesOf(offered));
    showPorts(offered);
}

void CPC_Connect_Dlg::showPorts(const std::vector<OfferedPort>& offered) {
    const QSignalBlocker quiet(ports_);
    ports_->clear();
    // The list keeps the names' order; each entry shows its port's label.
    for (const std::string& name : selection_.entries()) {
        const auto it = std::find_if(offered.begin(), offered.end(),
                                     [&](const OfferedPort& port) { return port.name == name; });
        ports_->addItem(QString::fromStdString(it->label));
    }
    ports_->setCurrentIndex(selection_.selectedIndex());
}

void CPC_Connect_Dlg::onConnect() {
    ProgramChannelOpener opener(program_);
    const ConnectVerdict verdict = connectToInterlock(
        program_.state(), opener, selection_.selectedName(), fwUpdateMode_, comPortNames());
    program_.notePageRequest();
    if (!verdict.message.empty())
        program_.prompter().message(verdict.message, verdict.detail);
}

void CPC_Connect_Dlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onConnectPageActivated(program_.state());
}

} // namespace interlock
