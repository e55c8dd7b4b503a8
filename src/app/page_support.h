#pragma once

class QDialog;
class QWidget;

namespace interlock {

// Shows `page` modally, centred on the desktop, with its parent minimised while it
// is open. Returns the dialog's result.
int runPage(QDialog& page);

// Centres `window` on the screen it is on.
void centreOnScreen(QWidget& window);

} // namespace interlock
