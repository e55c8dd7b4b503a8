#include "sim/calibration_run.h"

#include "link/codes.h"
#include "link/records.h"

namespace interlock::sim {

CalDensities densitiesFor(CalOutcome outcome) {
    CalDensities d{506, 497, 503};
    switch (outcome) {
    case CalOutcome::Pass:
        break;
    case CalOutcome::FailFirst:
        d.first = 31;
        break;
    case CalOutcome::FailSecond:
        d.second = 27;
        break;
    case CalOutcome::FailCheck:
        d.check = 612;
        break;
    }
    return d;
}

namespace {
// Below this a calibration pass has not seen enough gas to calibrate on.
constexpr std::uint16_t kLeastUsableDensity = 40;
constexpr std::uint8_t kCheckMode = 3;
} // namespace

std::uint16_t loggedDensity(std::uint8_t mode, const CalDensities& densities) {
    if (mode != kCheckMode) {
        for (const std::uint16_t pass : {densities.first, densities.second})
            if (pass < kLeastUsableDensity)
                return pass;
    }
    return densities.check;
}

namespace {
class ReportList {
  public:
    ReportList(SimTime step, std::uint16_t pressure) : step_(step), pressure_(pressure) {}

    void status(std::uint8_t stage) {
        CalStatusRecord record;
        record.set_test_status(stage);
        add(response::RESPONSE_CAL_STATUS, record.view());
    }
    void value(std::uint16_t density, std::uint8_t pass) {
        CalValueRecord record;
        record.set_density(density);
        record.set_stage(pass);
        record.setLe16(4, pressure_);
        add(response::RESPONSE_CAL_VALUE, record.view());
    }
    // Warm-Up (or Pre-Heat on a cold sensor), Blow-Wait, Blowing, Calculating, value.
    void pass(std::uint8_t firstStage, std::uint16_t density, std::uint8_t number) {
        if (firstStage == PreHeat)
            status(PreHeat);
        for (const std::uint8_t stage : {WarmUp, BlowWait, Blowing, Calculating})
            status(stage);
        value(density, number);
    }
    std::vector<CalReport> take() { return std::move(reports_); }

  private:
    void add(std::uint8_t code, std::span<const std::uint8_t> payload) {
        elapsed_ += step_;
        reports_.push_back(CalReport{elapsed_, code, {payload.begin(), payload.end()}});
    }

    SimTime step_;
    std::uint16_t pressure_;
    SimTime elapsed_{};
    std::vector<CalReport> reports_;
};
} // namespace

std::vector<CalReport> calibrationReports(std::uint8_t mode, const CalDensities& densities,
                                          std::uint16_t pressure, SimTime step) {
    ReportList list(step, pressure);
    if (mode == kCheckMode) {
        list.pass(PreHeat, densities.check, 1);
        return list.take();
    }
    list.pass(PreHeat, densities.first, 1);
    list.pass(WarmUp, densities.second, 2);
    list.pass(WarmUp, densities.check, 3);
    return list.take();
}

} // namespace interlock::sim
