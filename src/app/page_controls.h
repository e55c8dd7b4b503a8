#pragma once

#include <QPushButton>

namespace interlock {

// A button named after its caption for screen readers that Enter never presses.
QPushButton* plainButton(const QString& caption, QWidget* parent);

// The heaviest face at `pixelSize` (30 pixels: the log pages' labels and edit box).
void setHeavyFont(QWidget& widget, int pixelSize = 30);

} // namespace interlock
