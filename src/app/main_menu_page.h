#pragma once

#include "app/main_menu_logic.h"

#include <QDialog>
#include <QPushButton>

#include <map>
#include <vector>

namespace interlock {

class Program;

// One of the two main menus: a column of buttons, each sending the reads its page
// needs and then opening that page.
class MainMenuPage : public QDialog {
    Q_OBJECT
  public:
    struct Button {
        MenuCommand command;
        QString caption;
    };

    QPushButton* button(MenuCommand command) const { return buttons_.at(command); }

  protected:
    MainMenuPage(Program& program, MainMenu menu, const QString& title,
                 const std::vector<Button>& buttons, QWidget* parent);
    void showEvent(QShowEvent* event) override;

  private:
    void initialise();
    void refreshLook();
    void run(MenuCommand command);
    bool hasPage(MenuCommand command) const;
    void openPage(MenuCommand command);

    Program& program_;
    MainMenu menu_;
    MenuCommand logCommand_;
    MenuCommand firmwareCommand_;
    std::map<MenuCommand, QPushButton*> buttons_;
};

class CMain_Part1 : public MainMenuPage {
    Q_OBJECT
  public:
    CMain_Part1(Program& program, QWidget* parent);
};

class CMain_Part2 : public MainMenuPage {
    Q_OBJECT
  public:
    CMain_Part2(Program& program, QWidget* parent);
};

} // namespace interlock
