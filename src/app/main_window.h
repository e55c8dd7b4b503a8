#pragma once

#include "app/program.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace interlock {

// The login window, alive for the whole run. It owns the program's shared parts.
class CQuenlix_InterlockDlg : public QDialog {
    Q_OBJECT
public:
    explicit CQuenlix_InterlockDlg(Prompter& prompter, QWidget* parent = nullptr);
    ~CQuenlix_InterlockDlg() override;

    Program& program() { return program_; }
    QLineEdit* userNameEdit() const { return userName_; }
    QLineEdit* passwordEdit() const { return password_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* registerButton() const { return register_; }
    bool fwUpdateModeChecked() const { return fwUpdateMode_->isChecked(); }
    QCheckBox* fwUpdateModeBox() const { return fwUpdateMode_; }

    static constexpr int kMaxWordLength = 49;

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void initialise();
    void showAbout();

    Program program_;
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
