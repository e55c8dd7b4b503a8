#pragma once

#include <QPushButton>

namespace interlock {

// A button named after its caption for screen readers that Enter never presses.
QPushButton* plainButton(const QString& caption, QWidget* parent);

// The heavy 30-pixel face of the log pages' labels and edit box.
void setHeavyFont(QWidget& widget);

} // namespace interlock
