#pragma once

#include "config/settings_page.h"
#include "config/settings_part1_form.h"

#include <QLineEdit>
#include <QPushButton>

namespace interlock {

class Program;

// "Settings Part1": service date and grace period of a PART 1 interlock. OK closes
// the page once both records are written and not refused.
class CSetting_Part1 : public SettingsPage {
    Q_OBJECT
  public:
    CSetting_Part1(Program& program, QWidget* parent);

    QLineEdit* edit(Part1Edit edit) const {
        return edit == Part1Edit::ServiceDate ? date_ : grace_;
    }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void onOk();
    void render() override;

    SettingsPart1Form form_;
    QLineEdit* date_;
    QLineEdit* grace_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace interlock
