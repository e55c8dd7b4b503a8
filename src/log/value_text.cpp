#include "log/value_text.h"

namespace interlock {

namespace {
constexpr std::uint16_t kCalibrationLow = 450;
constexpr std::uint16_t kCalibrationHigh = 550;

// The printed numbers: integer steps first, then one single-precision division.
double mgPerLitre(std::uint16_t v) {
    return static_cast<float>(v / 20 * 10) / 1000.0f;
}
double promille(std::uint16_t v) {
    return static_cast<float>(v / 10 * 10) / 1000.0f;
}
int mgPer100ml(std::uint16_t v) {
    return v / 10 * 10 / 10;
}
double percentBac(std::uint16_t v) {
    return static_cast<float>(v / 10 * 10) / 10000.0f;
}

bool calibrationAccepted(std::uint16_t v) {
    return v >= kCalibrationLow && v <= kCalibrationHigh;
}

void addCalibrationFail(LogTexts& texts) {
    texts.addScreenForm(" \tBreathing test calibration FAIL!!\r\n");
}
} // namespace

void addValue(LogTexts& texts, TestUnit testUnit, std::uint16_t v) {
    switch (testUnit) {
    case TestUnit::MgPerL:
        texts.addScreenForm(formatted("%0.2f mg/L \r\n", mgPerLitre(v)));
        break;
    case TestUnit::Promille:
        texts.addScreenForm(formatted("%0.2f Promille \r\n", promille(v)));
        break;
    case TestUnit::MgPer100ml:
        texts.addScreenForm(formatted("%d mg/100mL \r\n", mgPer100ml(v)));
        break;
    default:
        texts.addScreenForm(formatted("%0.3f %%BAC \r\n", percentBac(v)));
        break;
    }
}

void addEarlyValue(LogTexts& texts, std::uint16_t v) {
    // Thousandths of %BAC: below 1000 this reads 0.00u, 0.0u or 0.u.
    const unsigned thousandths = v / 10u;
    texts.addScreenForm(formatted("%u.%03u BAC \r\n", thousandths / 1000u, thousandths % 1000u));
}

void addCalibration(LogTexts& texts, TestUnit testUnit, std::uint16_t v) {
    if (!calibrationAccepted(v)) {
        addCalibrationFail(texts);
        return;
    }
    texts.addScreenForm(" \tBreathing test calibration ");
    switch (testUnit) {
    case TestUnit::MgPerL:
        texts.addScreenForm(formatted(
            "CAL OK / 0.25 mg/L(expected value)/ %0.2f mg/L(actual value)\r\n", mgPerLitre(v)));
        break;
    case TestUnit::Promille:
        texts.addScreenForm(
            formatted("CAL OK / 0.5 Promille(expected value)/ %0.2f Promille(actual value)\r\n",
                      promille(v)));
        break;
    case TestUnit::MgPer100ml:
        texts.addScreenForm(formatted(
            "CAL OK / 50 mg/100mL(expected value)/ %d mg/100mL(actual value)\r\n", mgPer100ml(v)));
        break;
    default:
        texts.addForms(
            formatted("CAL OK / 0.05 %%BAC(expected value)/ %0.3f %%BAC(actual value)\r\n",
                      percentBac(v)),
            formatted("CAL OK / 0.05 %%BAC(expected value)/ %0.3f %%BAC actual value)\n",
                      percentBac(v)));
        break;
    }
}

void addEarlyCalibration(LogTexts& texts, std::uint16_t v) {
    if (!calibrationAccepted(v)) {
        addCalibrationFail(texts);
        return;
    }
    texts.addScreenForm(" \tBreathing test calibration");
    texts.addScreenForm(
        formatted("CAL OK/0.25mg/L(expected value)/0.%d mg/L(actual value)\r\n", v / 2));
}

} // namespace interlock
