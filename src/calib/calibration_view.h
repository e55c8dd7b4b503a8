#pragma once

namespace interlock {

// The calibration pages' side of the dialogue: the DRY GAS page's texts and the
// result page.
class CalibrationView {
  public:
    virtual ~CalibrationView() = default;
    // The page shows the step texts and the verdict afresh.
    virtual void refresh() = 0;
    // The verdict of the calibration has stood its time: the result page opens.
    virtual void openResult() = 0;
};

} // namespace interlock
