#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

namespace interlock::testing {

// Acts on the first modal page of type Page that comes up; `act` may block.
template <typename Page, typename Act> void whenModal(Act act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* page = qobject_cast<Page*>(QApplication::activeModalWidget())) {
            poll->stop();
            act(page);
            poll->deleteLater();
        }
    });
    poll->start();
}

} // namespace interlock::testing
