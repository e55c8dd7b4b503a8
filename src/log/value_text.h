#pragma once

#include "link/records.h"
#include "log/log_texts.h"

#include <cstdint>

namespace interlock {

// A breath alcohol value v (thousandths of a gram per litre of blood) in the unit
// of `testUnit` (%BAC for any unit not named), ending the line.
void addValue(LogTexts& texts, TestUnit testUnit, std::uint16_t v);
// The value of an 8-byte record: %BAC with three decimals, whatever the unit.
void addEarlyValue(LogTexts& texts, std::uint16_t v);

// The breath calibration result line (event 0x99), accepted for 450 <= v <= 550.
void addCalibration(LogTexts& texts, TestUnit testUnit, std::uint16_t v);
void addEarlyCalibration(LogTexts& texts, std::uint16_t v);

} // namespace interlock
