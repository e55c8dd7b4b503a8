#pragma once

#include "config/settings_page.h"
#include "config/settings_part2_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <functional>
#include <string>

namespace interlock {

class Program;

// "SETTINGS" of the PART 2 line: shows the records the menu has read, checks and
// writes them on OK, saves them to and loads them from a settings file. The form
// decides everything; the page mirrors it after each action. While OK's writes
// run the page cannot be closed.
class CSetting_Part2 : public SettingsPage {
    Q_OBJECT
  public:
    CSetting_Part2(Program& program, QWidget* parent);

    QLineEdit* edit(Part2Edit edit) const { return edits_[static_cast<std::size_t>(edit)]; }
    QComboBox* list(Part2List list) const { return lists_[static_cast<std::size_t>(list)]; }
    // The ON (`on`) or OFF button of ADDITIONAL SETTING row `row`.
    QRadioButton* radio(std::size_t row, bool on) const { return radios_[row][on ? 1 : 0]; }
    QPushButton* serviceDateButton() const { return serviceDate_; }
    QPushButton* lockOutButton() const { return lockOut_; }
    QPushButton* overrideButton() const { return override_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* loadButton() const { return load_; }

  private:
    QWidget* timeSettings();
    QWidget* userSettings();
    QWidget* additionalSettings();
    QWidget* overrideAndPin();
    QLayout* footButtons();
    void render() override;
    void renderLists();
    void onOk();
    // SAVE and LOAD: the chosen name, if any, goes to `act`; a failure is reported.
    void fileAction(const std::string& chosen,
                    const std::function<FileOutcome(const std::string&)>& act);

    SettingsPart2Form form_;
    std::array<QLineEdit*, kPart2Edits> edits_{};
    std::array<QComboBox*, kPart2Lists> lists_{};
    std::array<std::array<QRadioButton*, 2>, kRadioRows.size()> radios_{};
    QPushButton* serviceDate_ = nullptr;
    QPushButton* lockOut_ = nullptr;
    QPushButton* override_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* load_ = nullptr;
    int blockingItemsUnit_ = -1; // the unit whose items BLOCKING LIMIT holds
};

} // namespace interlock
