#pragma once

#include "calib/calibration_reports.h"
#include "calib/calibration_result.h"
#include "link/codes.h"
#include "link/requester.h"
#include "link_fixture.h"
#include "recording_pauser.h"

namespace interlock::testing {

using Wait = RecordingPauser::Wait;

// The dispatcher's calibration reports go to the calibration rules, as in the program;
// the pages are counted.
class CalibrationHost : public FakeDispatcherHost, public CalibrationView {
  public:
    void calibrationStatusStored() override { takeCalibrationStatus(*state, *this); }
    void calibrationValueStored() override { takeCalibrationValue(*state, *this); }
    void refresh() override { ++refreshes; }
    void openResult() override { ++resultPages; }
    ProgramState* state = nullptr;
    int refreshes = 0;
    int resultPages = 0;
};

// Program state on a recording channel, its reports judged by the calibration rules,
// and a requester whose waits are recorded instead of slept.
class CalibTest : public LinkTestWith<CalibrationHost> {
  protected:
    CalibTest() { host.state = &state; }

    void status(std::uint8_t testStatus) {
        feed(frameOf(response::RESPONSE_CAL_STATUS, {testStatus, 0, 0, 0, 0, 0, 0}));
    }
    // A value record: density big-endian, then the use count whose low byte is the
    // pass number, then two bytes the interlock wants back unchanged.
    static Bytes valueRecord(std::uint16_t density, std::uint8_t pass) {
        return {static_cast<std::uint8_t>(density >> 8),
                static_cast<std::uint8_t>(density),
                0x01,
                pass,
                0xC0,
                0xDE};
    }
    void value(std::uint16_t density, std::uint8_t pass) {
        feed(frameOf(response::RESPONSE_CAL_VALUE, valueRecord(density, pass)));
    }

    // Ticks of the main timer, as far as the calibration's duty goes.
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            calibrationResultTick(state, host);
    }

    RecordingPauser pauser;
    Requester requester{state, pauser};
};

} // namespace interlock::testing
