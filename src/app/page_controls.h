#pragma once

#include <QLabel>
#include <QPushButton>

namespace interlock {

// A button named after its caption for screen readers that Enter never presses.
QPushButton* plainButton(const QString& caption, QWidget* parent);

// A label with `caption` for `field`, which takes the caption as its accessible
// name: screen readers name an edit box, list or value field after its label.
QLabel* captionFor(QWidget& field, const QString& caption, QWidget* parent);

// `widget`'s face at `pixelSize`.
void setPixelFont(QWidget& widget, int pixelSize);

// The heaviest face at `pixelSize` (30 pixels: the log pages' labels and edit box).
void setHeavyFont(QWidget& widget, int pixelSize = 30);

} // namespace interlock
