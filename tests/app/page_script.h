#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QAbstractButton;
class QPushButton;
class QWidget;

namespace interlock {

// Drives modal pages from inside their exec(). Each step waits until a page of its
// class is the active modal widget and then acts on it. A page that shows up when
// no step expects it is recorded and closed, as is everything on a timeout or after
// a failed check, so a test never hangs on an open page.
//
// Actions must not block: press buttons that open a page or pause with clickLater().
class PageScript : public QObject {
    Q_OBJECT
  public:
    explicit PageScript(int timeoutMs = 15000);

    // `ready`, when given, must hold as well: the step waits for it without blocking
    // the page's own work (a step that waited in a nested loop would hold up a pause
    // running below it).
    template <class Page>
    PageScript& then(std::function<void(Page&)> action, std::function<bool()> ready = {}) {
        steps_.push_back({&Page::staticMetaObject,
                          [action](QWidget& page) { action(static_cast<Page&>(page)); },
                          std::move(ready)});
        return *this;
    }

    // Every step ran and no other page showed up.
    bool finished() const { return next_ == steps_.size() && failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

  private:
    struct Step {
        const QMetaObject* page;
        std::function<void(QWidget&)> action;
        std::function<bool()> ready;
    };
    void poll();
    void fail(const QString& why);
    // Closes the modal pages one after the other, innermost first.
    void closePages();

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::vector<QPointer<QWidget>> actedOn_;
    QString failure_;
    QElapsedTimer clock_;
    QTimer timer_;
    int timeoutMs_;
};

// Presses `button` from the event loop, after the current step has returned.
void clickLater(QAbstractButton* button);
// The push button of `page` showing `text`; null when there is none.
QPushButton* buttonWithText(const QWidget& page, const QString& text);

} // namespace interlock
