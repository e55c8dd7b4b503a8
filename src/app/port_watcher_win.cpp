#include "app/port_watcher.h"

#include <QWinEventNotifier>

#include <windows.h>

namespace interlock {

namespace {

// Windows lists its COM ports under SERIALCOMM and changes the key when an adapter
// comes or goes; the registry sets an event then, nothing is polled. The key is only
// there while some port is: without it the list is read when PC Connect opens.
class SerialCommWatch : public QObject {
  public:
    explicit SerialCommWatch(PortWatcher* watcher) : QObject(watcher) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_NOTIFY,
                          &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        changed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (!changed_ || !arm())
            return;
        notifier_ = new QWinEventNotifier(changed_);
        connect(notifier_, &QWinEventNotifier::activated, watcher, [this, watcher] {
            arm();
            emit watcher->portsMayHaveChanged();
        });
    }
    ~SerialCommWatch() override {
        delete notifier_;
        if (changed_)
            CloseHandle(changed_);
        if (key_)
            RegCloseKey(key_);
    }
    SerialCommWatch(const SerialCommWatch&) = delete;
    SerialCommWatch& operator=(const SerialCommWatch&) = delete;

  private:
    // One notification a call: asked again after each.
    bool arm() {
        return RegNotifyChangeKeyValue(key_, FALSE,
                                       REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                       changed_, TRUE) == ERROR_SUCCESS;
    }

    HKEY key_ = nullptr;
    HANDLE changed_ = nullptr;
    QWinEventNotifier* notifier_ = nullptr;
};

} // namespace

PortWatcher::PortWatcher(QObject* parent) : QObject(parent) {
    new SerialCommWatch(this);
}

} // namespace interlock
