#pragma once

#include "config/test_page_fields.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace interlock {

class Program;

// The engineers' page: every field of the interlock's records on one screen, written
// back in one whole write, and the control unit's sound and relay driven while it is
// open. It ends with Accepted after a whole write. It shows the records as they
// stand: openTestPage reads them before it is built.
class CTest_Dlg : public QDialog {
    Q_OBJECT
  public:
    CTest_Dlg(Program& program, QWidget* parent);

    QLineEdit* edit(TestEdit e) const { return edits_[static_cast<std::size_t>(e)]; }
    QButtonGroup* radios(TestRadio r) const { return radios_[static_cast<std::size_t>(r)]; }
    QCheckBox* check(TestCheck c) const { return checks_[static_cast<std::size_t>(c)]; }
    QCheckBox* soundBox() const { return sound_; }
    QCheckBox* relayBox() const { return relay_; }
    QLineEdit* serviceTime() const { return serviceTime_; }
    QPushButton* writeButton() const { return write_; }

    // Closing by any path switches the outputs off.
    void done(int result) override;

  private:
    QWidget* buildEdits();
    QWidget* buildChoices();
    QWidget* buildStatus();
    void showFields(const TestPageFields& fields);
    TestPageFields fields() const;
    void onWrite();

    Program& program_;
    std::array<QLineEdit*, static_cast<std::size_t>(TestEdit::Count)> edits_{};
    std::array<QButtonGroup*, static_cast<std::size_t>(TestRadio::Count)> radios_{};
    std::array<QCheckBox*, static_cast<std::size_t>(TestCheck::Count)> checks_{};
    QCheckBox* sound_ = nullptr;
    QCheckBox* relay_ = nullptr;
    QLineEdit* serviceTime_ = nullptr;
    QPushButton* write_ = nullptr;
    QTimer outputs_;
    bool closed_ = false;
};

} // namespace interlock
