#include "config/pairing_page.h"

#include "app/page_controls.h"
#include "app/page_support.h"
#include "app/program.h"
#include "app/software_page.h"
#include "config/new_pair_page.h"
#include "config/pairing_controls.h"
#include "config/pairing_logic.h"
#include "config/serial_number_page.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace interlock {

namespace {
// The version texts end in a line break, which a one-line field does not show.
QString oneLine(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}
} // namespace

CPairing::CPairing(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("PAIRING"));
    auto* layout = new QVBoxLayout(this);
    serialNumber_ = plainButton(QStringLiteral("SERIAL NUMBER"), this);
    software_ = plainButton(QStringLiteral("SOFTWARE"), this);
    newPair_ = plainButton(QStringLiteral("NEW PAIR"), this);
    for (QPushButton* button : {serialNumber_, software_, newPair_}) {
        button->setMinimumSize(220, 56);
        layout->addWidget(button);
    }
    auto* versions = new QGridLayout;
    firmware_ = addValueRow(*versions, 0, QStringLiteral("FW VER"), this);
    pc_ = addValueRow(*versions, 1, QStringLiteral("PC VER"), this);
    layout->addLayout(versions);
    const PairingTexts texts = pairingTexts(program.state());
    firmware_->setText(oneLine(texts.firmware));
    pc_->setText(oneLine(texts.pc));

    connect(serialNumber_, &QPushButton::clicked, this, &CPairing::openSerialNumber);
    connect(software_, &QPushButton::clicked, this, &CPairing::openSoftware);
    connect(newPair_, &QPushButton::clicked, this, &CPairing::openNewPair);
}

void CPairing::openSerialNumber() {
    if (!readsAnswered(pairingSerialNumber(program_.requester()), program_.prompter()))
        return;
    CSerial_Number page(program_, this);
    runPage(page);
}

void CPairing::openSoftware() {
    pairingSoftware(program_.requester());
    CSoftware page(program_, this);
    runPage(page);
}

void CPairing::openNewPair() {
    if (pairingNewPair(program_.requester()) == NewPairForm::Part2) {
        CNew_Pair_Part2 page(program_, this);
        runPage(page);
    } else {
        CNew_Pair_Part1 page(program_, this);
        runPage(page);
    }
}

} // namespace interlock
