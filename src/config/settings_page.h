#pragma once

#include "config/field_text.h"

#include <QDialog>

#include <functional>
#include <optional>

namespace interlock {

class Program;
class Requester;

// What the settings pages share: OK runs one at a time, its verdict's message is
// shown, and the page cannot be closed while OK's writes are waited for.
class SettingsPage : public QDialog {
    Q_OBJECT
  public:
    void reject() override;

  protected:
    SettingsPage(Program& program, QWidget* parent);
    // Runs `ok` and shows its message; nothing while an earlier OK still runs.
    std::optional<OkVerdict> runOk(const std::function<OkVerdict(Requester&)>& ok);

    Program& program_;

  private:
    bool writing_ = false;
};

} // namespace interlock
