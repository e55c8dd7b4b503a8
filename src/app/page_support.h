#pragma once

#include <string>

class QDialog;
class QWidget;

namespace interlock {

class Prompter;

// Shows `page` modally, centred on the desktop, with its parent minimised while it
// is open. Returns the dialog's result.
int runPage(QDialog& page);

// True when the reads before a page were answered (`failure` empty); otherwise says
// which read failed, and the page is not opened.
bool readsAnswered(const std::string& failure, Prompter& prompter);

// Centres `window` on the screen it is on.
void centreOnScreen(QWidget& window);

} // namespace interlock
