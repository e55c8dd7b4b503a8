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

    // Puts the form into the controls.
    void showForm();
    // A control changed, however (keys, mouse, assistive technology, program): `take`
    // hands its new state to the form, which the controls then show. Changes the page
    // makes itself while showing the form are not taken back, nor changes while OK's
    // writes run: the controls show the form again once OK is done.
    void takeChange(const std::function<void()>& take);

    Program& program_;

  private:
    virtual void render() = 0;

    bool writing_ = false;
    bool showing_ = false;
};

} // namespace interlock
