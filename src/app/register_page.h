#pragma once

#include "app/user_accounts.h"

#include <QDialog>
#include <QLineEdit>

namespace interlock {

class Program;

// "Register": adds an account when the master code is right.
class CRegister_Dlg : public QDialog {
    Q_OBJECT
  public:
    CRegister_Dlg(Program& program, UserAccounts& accounts, QWidget* parent);

    QLineEdit* userNameEdit() const { return name_; }
    QLineEdit* passwordEdit() const { return password_; }
    QLineEdit* masterCodeEdit() const { return masterCode_; }

  private:
    void onOk();
    void onDeleteId();

    Program& program_;
    UserAccounts& accounts_;
    QLineEdit* name_;
    QLineEdit* password_;
    QLineEdit* masterCode_;
};

} // namespace interlock
