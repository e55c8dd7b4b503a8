#include "app/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>

namespace interlock {

namespace {
constexpr int kMinimumWidth = 320;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

void QtPrompter::message(const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), qt(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    if (!detail.empty())
        box.setInformativeText(qt(detail));
    // Wide enough that the title is not cut short above a one-word text.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(
            new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
            grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

std::string QtPrompter::openFileName(const std::string& caption, const std::string& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), qt(caption), {}, qt(filter))
        .toStdString();
}

std::string QtPrompter::saveFileName(const std::string& caption, const std::string& filter) {
    return saveFileName(caption, filter, {});
}

std::string QtPrompter::saveFileName(const std::string& caption, const std::string& filter,
                                     const std::string& suggestedPath) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), qt(caption),
                                        qt(suggestedPath), qt(filter))
        .toStdString();
}

} // namespace interlock
