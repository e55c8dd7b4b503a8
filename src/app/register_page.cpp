#include "app/register_page.h"

#include "app/form_fields.h"
#include "app/page_support.h"
#include "app/program.h"
#include "app/user_delete_page.h"
#include "link/trace.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace interlock {

CRegister_Dlg::CRegister_Dlg(Program& program, UserAccounts& accounts, QWidget* parent)
    : QDialog(parent), program_(program), accounts_(accounts) {
    setWindowTitle(QStringLiteral("Register"));
    auto* form = new QFormLayout(this);
    name_ = addEditRow(*form, QStringLiteral("USER NAME"), false, this);
    password_ = addEditRow(*form, QStringLiteral("PASSWORD"), true, this);
    masterCode_ = addEditRow(*form, QStringLiteral("Master Code"), true, this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("O K"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* deleteId =
        buttons->addButton(QStringLiteral("Delete ID"), QDialogButtonBox::ActionRole);
    ok->setDefault(true);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &CRegister_Dlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(deleteId, &QPushButton::clicked, this, &CRegister_Dlg::onDeleteId);
    trace("Interlock Register ADD Start!!\r\n");
}

void CRegister_Dlg::onOk() {
    const RegisterVerdict verdict =
        accounts_.registerAccount(name_->text().toStdString(), password_->text().toStdString(),
                                  masterCode_->text().toStdString());
    if (verdict.clearAllBoxes) {
        name_->clear();
        password_->clear();
    }
    if (verdict.clearAllBoxes || verdict.clearMasterCode)
        masterCode_->clear();
    if (!verdict.message.empty())
        program_.prompter().message(verdict.message);
    if (verdict.closePage)
        accept();
}

void CRegister_Dlg::onDeleteId() {
    CUser_Delete_Dlg list(program_, accounts_, this);
    runPage(list);
}

} // namespace interlock
