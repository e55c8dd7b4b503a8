#include "calib/calibration_menu.h"
#include "calib/time_check.h"
#include "calib_fixture.h"
#include "link/codes.h"
#include "link/local_time.h"
#include "link/write_failure.h"
#include "log/service_time.h"
#include "time_zone.h"

#include <functional>

namespace interlock {
namespace {

using testing::Bytes;
using testing::frameOf;
using testing::Wait;

class TimeCheck : public testing::CalibTest {
  protected:
    TimeCheck() {
        // Last service 2016-12-31 23:30 UTC, override 300 h, PIN 1234.
        state.service.bytes = {16, 12, 31, 23, 30, 1, 0x77, 0x2C, 0x01, 1, 2, 3, 4};
    }
};

TEST_F(TimeCheck, ServiceTimeIsShownInLocalTimeAcrossMidnightAndTheYearEnd) {
    const std::time_t winter = utcTime(2017, 1, 5, 12, 0, 0);
    const std::time_t summer = utcTime(2017, 7, 5, 12, 0, 0);
    struct Case {
        const char* zone;
        std::time_t now;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"UTC0", winter, "16-12-31 23:30"},
        {"JST-9", winter, "17-01-01 08:30"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", winter, "17-01-01 00:30"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", summer, "17-01-01 01:30"},
        {"NST3:30", winter, "16-12-31 20:00"},
    };
    const Te_Service_t held = state.service;
    for (const Case& c : cases) {
        if (!kTzTakesDaylightRules && c.now == summer)
            continue;
        ScopedTimeZone tz(c.zone);
        EXPECT_EQ(serviceTimeText(state.service, localOffsetAt(c.now)), c.shown) << c.zone;
    }
    EXPECT_EQ(state.service, held); // the held record stays in UTC

    state.service.set_service_time(17, 1, 1, 0, 10);
    ScopedTimeZone tz("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(serviceTimeText(state.service, localOffsetAt(winter)), "16-12-31 19:10");
}

TEST_F(TimeCheck, ARecordThatIsNoCalendarTimeIsShownAsItStands) {
    ScopedTimeZone tz("JST-9");
    const std::int32_t offset = localOffsetAt(utcTime(2017, 1, 5, 12, 0, 0));
    state.service.set_service_time(0, 0, 0, 0, 0);
    EXPECT_EQ(serviceTimeText(state.service, offset), "00-00-00 00:00");
    state.service.set_service_time(255, 255, 255, 255, 255);
    EXPECT_EQ(serviceTimeText(state.service, offset), "255-255-255 255:255");
    state.service.set_service_time(17, 2, 30, 8, 0);
    EXPECT_EQ(serviceTimeText(state.service, offset), "17-02-30 08:00");
}

TEST_F(TimeCheck, ServiceSetsTheClockThenRecordsTheServiceInUtc) {
    recordService(requester, {2026, 12, 6, 23, 59, 58});
    EXPECT_EQ(channel.writes,
              (std::vector<Bytes>{frameOf(request::WriteClock, {26, 12, 6, 23, 59, 58}),
                                  frameOf(request::WriteService,
                                          {26, 12, 6, 23, 59, 1, 0x77, 0x2C, 0x01, 1, 2, 3, 4})}));
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}, {1000, 0}}));
    EXPECT_EQ(traces.text, "OnBnClickedButtonCalTimeReset\r\nCurrent Time 2026-12-6 23:59:58\r\n");
}

TEST_F(TimeCheck, ExtraServiceSendsTheHeldTimeBackInUtc) {
    recordExtraService(requester);
    EXPECT_EQ(channel.writes,
              std::vector<Bytes>{frameOf(request::WriteService,
                                         {16, 12, 31, 23, 30, 2, 0x77, 0x2C, 0x01, 1, 2, 3, 4})});
    EXPECT_EQ(pauser.waits, (std::vector<Wait>{{1000, 0}}));
}

TEST_F(TimeCheck, ThePageOpensOnlyOnAnAnsweredServiceRead) {
    const std::string unanswered = "The interlock did not answer the time check read.";
    EXPECT_EQ(beginTimeCheck(requester), unanswered);
    pauser.meanwhile = [this](std::size_t) { feed(testing::shortAnswerTo(request::ReadService)); };
    EXPECT_EQ(beginTimeCheck(requester), unanswered);
    pauser.meanwhile = [this](std::size_t) { feed(testing::answerTo(request::ReadService)); };
    EXPECT_EQ(beginTimeCheck(requester), "");
}

// Each wait is recorded; during the wait numbered `at` (from 0) `event` happens.
class EventfulPauser : public testing::RecordingPauser {
  public:
    void pause(int ms) override {
        RecordingPauser::pause(ms);
        if (waits.size() - 1 == at && event)
            event();
    }
    std::size_t at = 0;
    std::function<void()> event;
};

class TimeCheckWrites : public TimeCheck {
  protected:
    EventfulPauser eventful;
    Requester writer{state, eventful};
};

TEST_F(TimeCheckWrites, ARefusalOrALostLineDuringAnyWriteIsReported) {
    const std::string lost = lineLostMessage(kServiceTimeNotWritten);
    const std::function<std::string()> service = [this] {
        return recordService(writer, {2026, 12, 6, 9, 0, 0});
    };
    const std::function<std::string()> extra = [this] { return recordExtraService(writer); };
    const std::function<void()> nack = [this] { feed(frameOf(response::NACK)); };
    const std::function<void()> ack = [this] { feed(frameOf(response::ACK)); };
    const std::function<void()> lineLost = [this] { ++state.linesLost; };
    struct Case {
        const char* name;
        const std::function<std::string()>& press;
        std::size_t at;
        const std::function<void()>& event;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"SERVICE, clock refused", service, 0, nack, std::string(kServiceTimeRefused)},
        {"SERVICE, service refused", service, 1, nack, std::string(kServiceTimeRefused)},
        {"SERVICE, line lost after the clock", service, 0, lineLost, lost},
        {"SERVICE, line lost after the service", service, 1, lineLost, lost},
        {"SERVICE, acknowledged", service, 1, ack, ""},
        {"EXTRA SERVICE, refused", extra, 0, nack, std::string(kServiceTimeRefused)},
        {"EXTRA SERVICE, line lost", extra, 0, lineLost, lost},
        {"EXTRA SERVICE, acknowledged", extra, 0, ack, ""},
    };
    for (const Case& c : cases) {
        eventful.waits.clear();
        eventful.at = c.at;
        eventful.event = c.event;
        EXPECT_EQ(c.press(), c.shown) << c.name;
    }
    // A NACK heard before the button was pressed is no refusal of its writes.
    eventful.event = {};
    feed(frameOf(response::NACK));
    EXPECT_EQ(extra(), "");
    // With no line left, nothing reached the interlock.
    state.link.setChannel(nullptr);
    EXPECT_EQ(service(), lost);
    EXPECT_EQ(extra(), lost);
}

TEST_F(TimeCheckWrites, AServiceRecordArrivingDuringTheClockWaitChangesNothingWritten) {
    eventful.event = [this] { feed(frameOf(response::TE_SERVICE, testing::counting(13, 0x40))); };
    EXPECT_EQ(recordService(writer, {2026, 12, 6, 23, 59, 58}), "");
    const Bytes recorded{26, 12, 6, 23, 59, 1, 0x77, 0x2C, 0x01, 1, 2, 3, 4};
    EXPECT_EQ(channel.writes.back(), frameOf(request::WriteService, recorded));
    EXPECT_EQ(Bytes(state.service.bytes.begin(), state.service.bytes.end()), recorded)
        << "the program holds what was written";
}

} // namespace
} // namespace interlock
