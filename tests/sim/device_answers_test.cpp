#include "link/codes.h"
#include "model_driver.h"

#include <gtest/gtest.h>

using namespace interlock;
using namespace interlock::sim;
using test::Frame;
using test::ModelDriver;

namespace {
using Bytes = std::vector<std::uint8_t>;

Frame only(const std::vector<Frame>& frames) {
    EXPECT_EQ(frames.size(), 1u);
    return frames.empty() ? Frame{} : frames.front();
}
} // namespace

TEST(DeviceAnswers, HandsetAnswersTheWholeRecordButTakesItWithoutTheGSensor) {
    SimConfig config;
    config.records.identity.set_DUT(ENUM_DUT_HANDSET);
    ModelDriver d(config);
    EXPECT_EQ(only(d.ask(request::WholeRead)).payload.size(), 66u);

    Bytes whole = wholeRecordImage(config.records);
    whole.resize(61);
    whole[WholeRecord::kOptionAt] = 3;
    EXPECT_EQ(only(d.ask(request::WholeWrite, whole)).code, response::PC_WHOLE_WRITE);
    EXPECT_EQ(d.model.records().option.test_unit(), TestUnit::MgPerL);
    whole.resize(66); // a control unit's size from a handset is refused
    EXPECT_EQ(only(d.ask(request::WholeWrite, whole)).code, response::NACK);
}

TEST(DeviceAnswers, WritesAreAcknowledgedAndReadBack) {
    ModelDriver d;
    Te_Option_t option = d.model.records().option;
    option.set_alarm_density(35);
    option.set_service_fix_date(365);
    EXPECT_EQ(only(d.ask(request::WriteOption, {option.bytes.begin(), option.bytes.end()})).code,
              response::ACK);
    EXPECT_EQ(only(d.ask(request::ReadOption)).payload,
              Bytes(option.bytes.begin(), option.bytes.end()));

    IdentityRecord identity = d.model.records().identity;
    identity.set_Part_type_f(1);
    identity.set_handset_serial("HS999999");
    d.ask(request::WriteIdentity, {identity.bytes.begin(), identity.bytes.end()});
    EXPECT_EQ(only(d.ask(request::Connect, {1})).payload,
              Bytes(identity.bytes.begin(), identity.bytes.end()));

    for (const std::uint8_t code :
         {request::WriteConfig, request::WriteService, request::WriteGSensor})
        EXPECT_EQ(only(d.ask(code, Bytes(4, 0x11))).code, response::NACK)
            << "a record of the wrong length is refused, code " << int(code);
    EXPECT_EQ(d.model.records().gSensor, defaultRecords().gSensor);
}

TEST(DeviceAnswers, PairingCommandIsCarriedOutOnceFromEitherWrite) {
    SimConfig config;
    config.calStep = msec(10);
    config.records.log.assign(3, LogEvent{26, 1, 1, 0, 0, 0, 0x10, 0, 5});
    config.records.counters = {1, 2, 3, 4, 5};
    ModelDriver d(config);
    const auto logSize = [&d] { return d.model.records().log.size(); };
    const auto writeIdentityAsRead = [&d] {
        d.ask(request::WriteIdentity, only(d.ask(request::Connect, {1})).payload);
    };

    writeIdentityAsRead();
    Bytes whole = wholeRecordImage(config.records);
    whole[WholeRecord::kIdentityAt] = 3; // new pair keeping the data
    d.ask(request::WholeWrite, whole);
    EXPECT_EQ(logSize(), 3u);

    IdentityRecord identity = config.records.identity;
    identity.set_pairing_command(5);
    d.ask(request::WriteIdentity, {identity.bytes.begin(), identity.bytes.end()});
    EXPECT_EQ(logSize(), 0u);
    EXPECT_EQ(d.model.records().counters, (std::array<std::uint8_t, 5>{}));

    // The order is not kept: an identity written back as read afterwards leaves the
    // events recorded since.
    d.send(request::Calibrate, {3, 0xF5, 0x03});
    d.advance(200);
    ASSERT_EQ(logSize(), 1u);
    writeIdentityAsRead();
    EXPECT_EQ(logSize(), 1u);

    whole[WholeRecord::kIdentityAt] = 5;
    d.ask(request::WholeWrite, whole);
    EXPECT_EQ(logSize(), 0u);
}

TEST(DeviceAnswers, DamagedOrUnknownRequestsAreRefusedAndStrayBytesSkipped) {
    ModelDriver d;
    d.sendRaw({0x02, 0x46, 0x00, 0x60, 0xE3});
    EXPECT_EQ(only(ModelDriver::frames(d.advance(10))).code, response::NACK);
    EXPECT_EQ(only(d.ask(0x99)).code, response::NACK);

    d.sendRaw({0x13, 0xFF, 0x00, 0x02, 0x46, 0x00, 0x60, 0xE2});
    EXPECT_EQ(only(ModelDriver::frames(d.advance(10))).code, response::TE_INFO);
}

TEST(DeviceAnswers, AStrayStartByteIsForgottenWhenTheLineGoesQuiet) {
    ModelDriver d;
    d.sendRaw({0x02, 0x40});
    d.advance(200);
    EXPECT_EQ(only(d.ask(request::ReadInfo)).code, response::TE_INFO);
}

TEST(DeviceAnswers, ClockWriteSetsTheDeviceClock) {
    ModelDriver d;
    d.ask(request::WriteClock, {27, 2, 28, 23, 59, 50});
    d.advance(15000);
    EXPECT_EQ(d.model.clockAt(d.now), (CivilTime{2027, 3, 1, 0, 0, 5}));
}
