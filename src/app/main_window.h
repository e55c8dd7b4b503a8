#pragma once

#include "app/pc_connect_page.h"
#include "app/program.h"
#include "app/user_accounts.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace interlock {

// How this run of the program is set up.
struct RunOptions {
    std::filesystem::path userFile;
    // Device paths listed besides the system's serial ports (the simulator's first).
    std::vector<std::string> extraPorts;
    bool simulated = false;
    // Replaces the program's waits (tests); null keeps them.
    Pauser* pauser = nullptr;
};

// The login window, alive for the whole run. It owns the program's shared parts.
class CQuenlix_InterlockDlg : public QDialog {
    Q_OBJECT
  public:
    CQuenlix_InterlockDlg(Prompter& prompter, RunOptions options, QWidget* parent = nullptr);
    ~CQuenlix_InterlockDlg() override;

    Program& program() { return program_; }
    UserAccounts& accounts() { return accounts_; }
    CPC_Connect_Dlg& connectPage() { return *connectPage_; }
    QLineEdit* userNameEdit() const { return userName_; }
    QLineEdit* passwordEdit() const { return password_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* registerButton() const { return register_; }

  protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

  private:
    void buildControls();
    void initialise();
    void registerLauncherPages();
    // Runs a page the launcher opens over the PC Connect page.
    template <typename Page> void runLauncherPage();
    void showAbout();
    void onLogin();
    void onRegister();

    Program program_;
    UserAccounts accounts_;
    std::unique_ptr<CPC_Connect_Dlg> connectPage_;
    bool simulated_;
    QLineEdit* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* register_ = nullptr;
    QCheckBox* fwUpdateMode_ = nullptr;
    QLabel* productLabel_ = nullptr;
    QLabel* brandLabel_ = nullptr;
    QLabel* spareLabel_ = nullptr;
};

} // namespace interlock
