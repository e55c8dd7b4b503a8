#include "config/serial_number_page.h"

#include "app/program.h"
#include "config/pairing_controls.h"
#include "config/serial_number_logic.h"
#include "link/trace.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace interlock {

CSerial_Number::CSerial_Number(Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("SERIAL NUMBER"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    constexpr int kWidth = static_cast<int>(IdentityRecord::kSerialWidth);
    hand_ = addEditRow(*grid, 0, QStringLiteral("HAND UNIT"), kWidth, this);
    control_ = addEditRow(*grid, 1, QStringLiteral("CONTROL UNIT"), kWidth, this);
    layout->addLayout(grid);
    const auto [ok, cancel] =
        addButtonRow(*layout, QStringLiteral("O K"), QStringLiteral("CANCEL"), this);

    const SerialNumberFields fields = serialNumberOpening(program.state());
    hand_->setText(textOfBytes(fields.hand));
    control_->setText(textOfBytes(fields.control));
    hand_->setEnabled(fields.handEditable);
    control_->setEnabled(fields.controlEditable);

    connect(ok, &QPushButton::clicked, this, &CSerial_Number::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonSerialNumberCancel\r\n");
        reject();
    });
}

void CSerial_Number::onOk() {
    acceptUnless(*this, program_.prompter(),
                 serialNumberOk(bytesOfText(hand_->text()), bytesOfText(control_->text()),
                                program_.requester()));
}

} // namespace interlock
