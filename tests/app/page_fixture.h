#pragma once

#include "app/main_window.h"
#include "recording_pauser.h"
#include "recording_prompter.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace interlock {

// A login window over a user file of its own in a temporary folder, with the
// message boxes recorded.
class PageFixture {
  public:
    PageFixture();

    // Replaces the user file; the next window loads it.
    void writeUsers(const QByteArray& content) const;
    QByteArray userFileBytes() const;
    QStringList userFileLines() const;

    // A new login window, shown, with `extraPorts` in its port list and every
    // subsystem's pages and duties. Its waits are recorded in `pauser`, unless `realWaits`.
    std::unique_ptr<CQuenlix_InterlockDlg> openWindow(std::vector<std::string> extraPorts = {},
                                                      bool simulated = false,
                                                      bool realWaits = false);
    // Types the name and password and presses "O K"; returns when every page it
    // opened has closed.
    static void logIn(CQuenlix_InterlockDlg& window, const QString& name, const QString& password);

    QString path(const QString& name) const { return folder_.filePath(name); }
    testing::RecordingPrompter prompter;
    testing::RecordingPauser pauser;

  private:
    QTemporaryDir folder_;
};

} // namespace interlock
