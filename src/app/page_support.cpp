#include "app/page_support.h"

#include "app/prompter.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace interlock {

void centreOnScreen(QWidget& window) {
    // A page that was given its size keeps it.
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

bool readsAnswered(const std::string& failure, Prompter& prompter) {
    if (failure.empty())
        return true;
    prompter.message(failure);
    return false;
}

int runPage(QDialog& page) {
    QWidget* parent = page.parentWidget();
    // A parent that is already minimised (a box over a page over it) stays so.
    const bool minimise = parent && parent->isVisible() && !parent->isMinimized();
    if (minimise)
        parent->showMinimized();
    centreOnScreen(page);
    const int result = page.exec();
    if (minimise) {
        // Back in front, with the keyboard focus, where the page was opened from.
        parent->showNormal();
        parent->raise();
        parent->activateWindow();
    }
    return result;
}

} // namespace interlock
