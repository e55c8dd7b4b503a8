#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace interlock {

// While it lives, the windows shown at its start take no clicks, keys or close
// requests and the cursor shows that the program is busy; windows opened later (a
// message box during a wait) work as usual. The program's waits hold the pages
// with it.
class InputBlocker : public QObject {
    Q_OBJECT
  public:
    InputBlocker();
    ~InputBlocker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool blocked(const QObject* watched) const;

    std::vector<QPointer<QWidget>> windows_;
};

} // namespace interlock
