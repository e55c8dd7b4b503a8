#include "config/pin_code_page.h"

#include "app/program.h"
#include "config/pairing_controls.h"
#include "config/pin_code_digits.h"
#include "config/pin_code_logic.h"
#include "link/trace.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace interlock {

CPin_Code::CPin_Code(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("PIN CODE"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    pin_ = addEditRow(*grid, 0, QStringLiteral("PIN CODE"), static_cast<int>(kPinLength), this);
    layout->addLayout(grid);
    const auto [ok, cancel] =
        addButtonRow(*layout, QStringLiteral("OK"), QStringLiteral("CANCEL"), this);
    pin_->setText(QString::fromStdString(pinCodeOpening(program.state())));
    filterDigits(*pin_);
    connect(ok, &QPushButton::clicked, this, &CPin_Code::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonPinCodeCancel\r\n");
        reject();
    });
}

void CPin_Code::onOk() {
    applyPinVerdict(pinCodeOk(bytesOfText(pin_->text()), program_.requester()), nullptr, *pin_,
                    *this, program_.prompter());
}

} // namespace interlock
