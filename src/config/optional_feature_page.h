#pragma once

#include "config/optional_feature_logic.h"

#include <QDialog>

#include <vector>

class QRadioButton;

namespace interlock {

class Program;

// OPTIONAL FEATURE: one ON/OFF pair per optional function of the interlock.
class OptionalFeaturePage : public QDialog {
    Q_OBJECT
  public:
    // The "ON" and "OFF" radios of row `row`, top to bottom.
    QRadioButton* onButton(std::size_t row) const { return rows_.at(row).first; }
    QRadioButton* offButton(std::size_t row) const { return rows_.at(row).second; }

  protected:
    OptionalFeaturePage(Program& program, FeatureForm form, QWidget* parent);

  private:
    void onOk();

    Program& program_;
    FeatureForm form_;
    std::vector<std::pair<QRadioButton*, QRadioButton*>> rows_;
};

class COptional_Feature_Part1 : public OptionalFeaturePage {
    Q_OBJECT
  public:
    COptional_Feature_Part1(Program& program, QWidget* parent);
};

class COptional_Feature_Part2 : public OptionalFeaturePage {
    Q_OBJECT
  public:
    COptional_Feature_Part2(Program& program, QWidget* parent);
};

} // namespace interlock
