#pragma once

#include <QDialog>
#include <QPushButton>

namespace interlock {

class Program;

// "DELETE RECORD" of the PART 1 main menu: one DELETE LOG button, always enabled,
// that asks for confirmation and closes the page once the log is deleted.
class CDelete_Record_Part1 : public QDialog {
    Q_OBJECT
  public:
    CDelete_Record_Part1(Program& program, QWidget* parent);
    QPushButton* deleteLogButton() const { return deleteLog_; }

  private:
    void onDeleteLog();

    Program& program_;
    QPushButton* deleteLog_;
};

} // namespace interlock
