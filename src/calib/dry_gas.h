#pragma once

#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

// The DRY GAS page calibrates (two passes and a check) or runs the check alone.
enum class DryGasMode { Calibrate, Check };

// What the DRY GAS page shows and allows when it opens.
struct DryGasOpening {
    std::string altitude{};   // the ALTITUDE box
    bool startEnabled = true; // START and the ALTITUDE box
    bool startAtOnce = false; // a check starts as soon as the page is up
};

// What START leaves on the page.
struct StartOutcome {
    bool sent = false;          // the request went out: START and ALTITUDE stay disabled
    std::string message{};      // message box text, empty for none
    bool clearAltitude = false; // the ALTITUDE box is emptied
};

// The decisions of one opening of the DRY GAS page. The reports that follow START
// are judged by the response dispatcher, which fills the three result texts.
class DryGasRun {
  public:
    DryGasRun(Requester& requester, DryGasMode mode) : requester_(requester), mode_(mode) {}

    // Puts "WAIT" into the texts of the passes this run will judge. A check uses
    // the altitude last typed on the page (`lastTyped`, empty for 0 m).
    DryGasOpening open(std::string_view lastTyped);
    // START: with a valid altitude, the calibration request with the expected air
    // pressure, then the settling wait.
    StartOutcome start(std::string_view altitude);
    // True when the page must close as soon as it is active again: the result
    // page has asked for the menus to close.
    bool closeOnActivation() const;
    // The page closes. After START the interlock is told, once, that the calibration
    // has ended (it restarts), and the menus close behind the page.
    void close();

  private:
    Requester& requester_;
    DryGasMode mode_;
    bool started_ = false;
};

} // namespace interlock
