#include "app/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace interlock {

namespace {
QString qt(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

void QtPrompter::message(const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), qt(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    if (!detail.empty())
        box.setInformativeText(qt(detail));
    box.exec();
}

std::string QtPrompter::openFileName(const std::string& caption, const std::string& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), qt(caption), {}, qt(filter))
        .toStdString();
}

std::string QtPrompter::saveFileName(const std::string& caption, const std::string& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), qt(caption), {}, qt(filter))
        .toStdString();
}

} // namespace interlock
