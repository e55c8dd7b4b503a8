#pragma once

#include <QDialog>

namespace interlock {

// The version notice: the interlock runs another firmware version than this program
// knows. Shown at most once per run.
class CFirmware_Check : public QDialog {
    Q_OBJECT
  public:
    explicit CFirmware_Check(QWidget* parent = nullptr);
};

} // namespace interlock
