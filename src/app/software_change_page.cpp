#include "app/software_change_page.h"

#include "app/main_menu_logic.h"
#include "app/page_controls.h"
#include "app/program.h"
#include "app/user_accounts.h"
#include "link/trace.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace interlock {

CSoftware_Change::CSoftware_Change(Program& program, QWidget* parent)
    : QDialog(parent), program_(program) {
    setWindowTitle(QStringLiteral("SOFTWARE CHANGE"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QString::fromLatin1(kSoftwareMismatch.data(),
                                                static_cast<qsizetype>(kSoftwareMismatch.size())),
                            this));
    form->addRow(new QLabel(
        QStringLiteral("Put the master code and press ok if you want to reset your device."),
        this));
    code_ = new QLineEdit(this);
    code_->setEchoMode(QLineEdit::Password);
    code_->setMaxLength(static_cast<int>(kUserFieldMax));
    form->addRow(captionFor(*code_, QStringLiteral("MASTER CODE"), this), code_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &CSoftware_Change::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonSoftwareChangeCancel\r\n");
        reject();
    });
    beginSoftwareChange(program_.state());
}

void CSoftware_Change::onOk() {
    const SoftwareChangeVerdict verdict =
        softwareChangeOk(code_->text().toStdString(), program_.requester());
    if (verdict.clearCode)
        code_->clear();
    if (!verdict.message.empty())
        program_.prompter().message(verdict.message);
    if (verdict.closePage)
        accept();
}

} // namespace interlock
