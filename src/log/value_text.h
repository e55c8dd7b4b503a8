#pragma once

#include "log/log_texts.h"

#include <cstdint>

namespace interlock {

// Values of Te_Option_t::test_unit; any other value prints %BAC.
enum TestUnit : std::uint8_t { UNIT_PROMILLE = 2, UNIT_MG_PER_L = 3, UNIT_MG_PER_100ML = 5 };

// A breath alcohol value v (thousandths of a gram per litre of blood) in the unit
// of `testUnit`, ending the line.
void addValue(LogTexts& texts, std::uint8_t testUnit, std::uint16_t v);
// The value of an 8-byte record: %BAC with three decimals, whatever the unit.
void addEarlyValue(LogTexts& texts, std::uint16_t v);

// The breath calibration result line (event 0x99), accepted for 450 <= v <= 550.
void addCalibration(LogTexts& texts, std::uint8_t testUnit, std::uint16_t v);
void addEarlyCalibration(LogTexts& texts, std::uint16_t v);

} // namespace interlock
