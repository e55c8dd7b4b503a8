#pragma once

#include "app/user_accounts.h"

#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>

namespace interlock {

class Program;

// "User List": all 20 slots; removes the selected account when the master code is right.
class CUser_Delete_Dlg : public QDialog {
    Q_OBJECT
  public:
    CUser_Delete_Dlg(Program& program, UserAccounts& accounts, QWidget* parent);

    QTableWidget* list() const { return list_; }
    QLineEdit* masterCodeEdit() const { return masterCode_; }
    int selectedRow() const { return selectedRow_; }

  private:
    void fillList();
    void onOk();
    void onCancel();

    Program& program_;
    UserAccounts& accounts_;
    QTableWidget* list_;
    QLineEdit* masterCode_;
    int selectedRow_ = kNoRowSelected;
};

} // namespace interlock
