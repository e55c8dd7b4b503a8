#include "app/page_support.h"

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

int runPage(QDialog& page) {
    QWidget* parent = page.parentWidget();
    const bool parentWasVisible = parent && parent->isVisible();
    if (parentWasVisible)
        parent->showMinimized();
    centreOnScreen(page);
    const int result = page.exec();
    if (parentWasVisible)
        parent->showNormal();
    return result;
}

} // namespace interlock
