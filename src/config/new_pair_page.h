#pragma once

#include "config/new_pair_logic.h"

#include <QDialog>

class QCheckBox;

namespace interlock {

class Program;

// NEW PAIR: puts the unit into new-pairing mode; all its text is red.
class NewPairPage : public QDialog {
    Q_OBJECT
  public:
    // "Delete All Data in Control Unit"; null on the PART 1 form.
    QCheckBox* deleteAllBox() const { return deleteAll_; }

  protected:
    NewPairPage(Program& program, NewPairForm form, QWidget* parent);

  private:
    void onOk();

    Program& program_;
    NewPairForm form_;
    QCheckBox* deleteAll_ = nullptr;
};

class CNew_Pair_Part1 : public NewPairPage {
    Q_OBJECT
  public:
    CNew_Pair_Part1(Program& program, QWidget* parent);
};

class CNew_Pair_Part2 : public NewPairPage {
    Q_OBJECT
  public:
    CNew_Pair_Part2(Program& program, QWidget* parent);
};

} // namespace interlock
