#include "page_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace interlock {

namespace {
constexpr int kPollMs = 10;
}

PageScript::PageScript(int timeoutMs) : timeoutMs_(timeoutMs) {
    clock_.start();
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &PageScript::poll);
    timer_.start();
}

void PageScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (next_ < steps_.size()) {
        const Step& step = steps_[next_];
        if (modal && step.page->cast(modal) && (!step.ready || step.ready())) {
            actedOn_.emplace_back(modal);
            ++next_;
            step.action(*modal);
            if (QTest::currentTestFailed())
                fail(QStringLiteral("a check on %1 failed").arg(modal->metaObject()->className()));
        } else if (clock_.elapsed() > timeoutMs_) {
            fail(QStringLiteral("no %1 came up").arg(steps_[next_].page->className()));
        }
        return;
    }
    const bool known = std::find(actedOn_.begin(), actedOn_.end(), modal) != actedOn_.end();
    if (modal && !known)
        fail(QStringLiteral("%1 came up unasked").arg(modal->metaObject()->className()));
}

void PageScript::fail(const QString& why) {
    if (failure_.isEmpty())
        failure_ = why;
    next_ = steps_.size();
    closePages();
}

void PageScript::closePages() {
    QTimer::singleShot(0, this, [this] {
        if (auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            page->reject();
            closePages();
        }
    });
}

void clickLater(QAbstractButton* button) {
    QVERIFY(button);
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

QPushButton* buttonWithText(const QWidget& page, const QString& text) {
    const auto buttons = page.findChildren<QPushButton*>();
    const auto found = std::find_if(buttons.begin(), buttons.end(),
                                    [&text](const QPushButton* b) { return b->text() == text; });
    return found == buttons.end() ? nullptr : *found;
}

} // namespace interlock
