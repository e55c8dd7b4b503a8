#pragma once

#include <QDialog>

namespace interlock {

class Program;

// "SOFTWARE": rewrites the interlock's product line (opened from PAIRING).
class CSoftware : public QDialog {
    Q_OBJECT
  public:
    CSoftware(Program& program, QWidget* parent);
};

} // namespace interlock
