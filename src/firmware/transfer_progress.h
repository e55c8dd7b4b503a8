#pragma once

#include <cstdint>
#include <string>

namespace interlock {

// The percentage of the image sent when `remaining` of `groups` groups are still to
// go: 100 - (remaining / groups) * 100 in single precision, the fraction cut off.
// Single precision is what the interlock's technicians know: 5 groups show 0, 20,
// 60, 80 and 100 (the third step comes out as 39). `groups` is never 0.
int percentSent(std::uint32_t remaining, std::uint32_t groups);

// "%d%%": the percentage label's text.
std::string percentText(int percent);

// Decides which percentages the page shows: multiples of 5 that differ from the last
// one shown. A new gate has shown 100, so every transfer starts by showing 0.
class PercentGate {
  public:
    // True when `percent` is to be shown; it then becomes the last one shown.
    bool admit(int percent);

  private:
    int lastShown_ = 100;
};

} // namespace interlock
