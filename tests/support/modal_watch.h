#pragma once

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>

namespace interlock::testing {

// While it lives, closes every modal page that comes up and keeps its class name: a
// test of a page that must not open ends instead of waiting on it.
class ModalWatch {
  public:
    ModalWatch() {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                pages << QString::fromLatin1(page->metaObject()->className());
                page->reject();
            }
        });
        poll_.start();
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    QStringList pages;

  private:
    QTimer poll_;
};

} // namespace interlock::testing
