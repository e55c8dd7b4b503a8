#include "link/codes.h"
#include "model_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace interlock;
using namespace interlock::sim;
using test::Frame;
using test::ModelDriver;

namespace {
using Bytes = std::vector<std::uint8_t>;

// The image stream as the program sends it: size, then (size / 4) + 1 groups, 0xFF padded.
Bytes imageStream(const Bytes& image) {
    const auto size = static_cast<std::uint32_t>(image.size());
    Bytes stream(4 + (size / 4 + 1) * 4, 0xFF);
    for (int i = 0; i < 4; ++i)
        stream[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
    std::copy(image.begin(), image.end(), stream.begin() + 4);
    return stream;
}

std::string text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}
} // namespace

TEST(FirmwareLoader, GroupsAreSizeOverFourPlusOneWithPadding) {
    EXPECT_EQ(imageStream({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
              (Bytes{10, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFF, 0xFF}));
    FirmwareLoader loader;
    std::size_t used = 0;
    const Bytes twelve = imageStream(Bytes(12, 0x33));
    ASSERT_EQ(twelve.size(), 4u + 16u);
    EXPECT_EQ(loader.feed(std::span(twelve).first(19), used), FirmwareLoader::Result::Pending);
    EXPECT_EQ(loader.feed(std::span(twelve).subspan(19), used), FirmwareLoader::Result::Done);
    EXPECT_EQ(loader.groupsReceived(), 4u);
    EXPECT_EQ(loader.image(), Bytes(12, 0x33));

    loader.restart();
    Bytes unpadded = imageStream(Bytes(10, 0x33));
    unpadded.back() = 0x00;
    EXPECT_EQ(loader.feed(unpadded, used), FirmwareLoader::Result::Rejected);

    loader.restart();
    EXPECT_EQ(loader.feed(Bytes{0xFF, 0xFF, 0xFF, 0xFF}, used), FirmwareLoader::Result::Rejected)
        << "an impossible size is refused at once";
}

TEST(FirmwareLoader, LoadsAnImageAndRebootsIntoTheNewVersion) {
    SimConfig config;
    config.records.info.set_version(4, 3);
    config.newFirmware = 0x0405;
    config.splitReady = true;
    Bytes received;
    SimHooks hooks;
    hooks.firmwareReceived = [&](std::span<const std::uint8_t> image) {
        received.assign(image.begin(), image.end());
    };
    ModelDriver d(config, hooks);
    d.send(request::FirmwareLoader);
    EXPECT_TRUE(d.advance(100).empty());
    EXPECT_EQ(text(d.advance(110)), "Rea");
    EXPECT_EQ(text(d.advance(40)), "dy\r\n");

    const Bytes image{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    d.sendRaw(imageStream(image));
    EXPECT_EQ(received, image);
    EXPECT_EQ(d.model.mode(), DeviceModel::Mode::Rebooting);
    d.advance(600);
    const std::vector<Frame> info = d.ask(request::ReadInfo);
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0].payload[0], 4);
    EXPECT_EQ(info[0].payload[1], 5);
}

TEST(FirmwareLoader, RefusedImageIsFollowedByANewReadyLater) {
    ModelDriver d;
    d.send(request::FirmwareLoader);
    EXPECT_EQ(text(d.advance(300)), "Ready\r\n");
    Bytes stream = imageStream(Bytes(8, 0x44));
    stream.back() = 0;
    d.sendRaw(stream);
    d.send(request::ReadInfo); // ignored while the loader is refusing
    EXPECT_TRUE(d.advance(15000).empty());
    EXPECT_EQ(text(d.advance(1500)), "Ready\r\n");
}

TEST(FirmwareLoader, MuteLoaderTakesTheImageAnswersNothingThenIsReadyAgain) {
    SimConfig config;
    config.faults.loaderMute = msec(17000);
    ModelDriver d(config);
    d.send(request::FirmwareLoader);
    EXPECT_EQ(text(d.advance(300)), "Ready\r\n");
    d.sendRaw(imageStream(Bytes(8, 0x44)));
    d.advance(3000);
    d.send(request::ReadInfo);
    EXPECT_TRUE(d.advance(13000).empty());
    EXPECT_EQ(text(d.advance(1100)), "Ready\r\n");
    EXPECT_EQ(d.model.records().info, defaultRecords().info) << "the old firmware still runs";
}

TEST(FirmwareLoader, WaitingLoaderRepeatsReadyOnAQuietLineAndIgnoresFrames) {
    SimConfig config;
    config.loaderWaiting = true;
    Bytes received;
    SimHooks hooks;
    hooks.firmwareReceived = [&](std::span<const std::uint8_t> image) {
        received.assign(image.begin(), image.end());
    };
    ModelDriver d(config, hooks);
    EXPECT_EQ(text(d.advance(300)), "Ready\r\n");
    d.send(request::Connect, {1}); // no image: ignored, and the line was not quiet
    EXPECT_TRUE(d.advance(1000).empty());
    EXPECT_EQ(text(d.advance(1000)), "Ready\r\n");
    const Bytes image(10, 0x5A);
    d.sendRaw(imageStream(image));
    EXPECT_EQ(received, image);
    EXPECT_TRUE(d.advance(5000).empty());
}

TEST(Calibration, RunReportsStagesThenValuesOfBothPassesAndTheCheck) {
    SimConfig config;
    config.calStep = msec(100);
    ModelDriver d(config);
    d.send(request::Calibrate, {1, 0xF5, 0x03}); // 1013 hPa
    const std::vector<Frame> reports = ModelDriver::frames(d.advance(2000));
    std::vector<int> seen; // stage codes; values as 100 + pass
    for (const Frame& f : reports) {
        ASSERT_TRUE(f.crcGood);
        if (f.code == response::RESPONSE_CAL_STATUS)
            seen.push_back(f.payload[0]);
        else if (f.code == response::RESPONSE_CAL_VALUE)
            seen.push_back(100 + f.payload[3]);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 4, 8, 101, 1, 2, 4, 8, 102, 1, 2, 4, 8, 103}));
    CalValueRecord check;
    check.assign(reports.back().payload);
    EXPECT_GE(check.density(), 450);
    EXPECT_LE(check.density(), 550);
    EXPECT_EQ(check.le16(4), 1013);
    ASSERT_FALSE(d.model.records().log.empty());
    EXPECT_EQ(d.model.records().log.back()[6], 0x99);
}

TEST(Calibration, CheckRunsTheCheckPassAloneAndOutcomesPickDensities) {
    SimConfig config;
    config.calStep = msec(100);
    config.calOutcome = CalOutcome::FailCheck;
    ModelDriver d(config);
    d.send(request::Calibrate, {3, 0x08, 0x01});
    const std::vector<Frame> reports = ModelDriver::frames(d.advance(1000));
    ASSERT_EQ(reports.size(), 6u);
    CalValueRecord value;
    value.assign(reports.back().payload);
    EXPECT_EQ(value.stage(), 1);
    EXPECT_GT(value.density(), 550);

    EXPECT_LT(densitiesFor(CalOutcome::FailFirst).first, 40);
    EXPECT_LT(densitiesFor(CalOutcome::FailSecond).second, 40);
    EXPECT_GE(densitiesFor(CalOutcome::Pass).second, 40);
}

TEST(Calibration, LoggedResultAgreesWithTheOutcome) {
    // Breath calibration events are accepted in the export only from 450 to 550.
    const auto loggedAfter = [](CalOutcome outcome, std::uint8_t mode) {
        SimConfig config;
        config.calStep = msec(10);
        config.calOutcome = outcome;
        ModelDriver d(config);
        d.send(request::Calibrate, {mode, 0xF5, 0x03});
        d.advance(500);
        const LogEvent& event = d.model.records().log.back();
        return std::pair<int, int>{event[6], event[7] << 8 | event[8]};
    };
    const auto [passCode, passValue] = loggedAfter(CalOutcome::Pass, 1);
    EXPECT_EQ(passCode, 0x99);
    EXPECT_TRUE(passValue >= 450 && passValue <= 550);
    for (const CalOutcome failed :
         {CalOutcome::FailFirst, CalOutcome::FailSecond, CalOutcome::FailCheck}) {
        const int value = loggedAfter(failed, 1).second;
        EXPECT_TRUE(value < 450 || value > 550) << int(failed);
    }
    // A check logs only what the check measured.
    EXPECT_EQ(loggedAfter(CalOutcome::FailFirst, 3), (std::pair<int, int>{0xA9, 503}));
}

TEST(Calibration, ProgramAnswersAreTakenAndARebootCallsTheRunOff) {
    SimConfig config;
    config.calStep = msec(100);
    ModelDriver d(config);
    d.send(request::Calibrate, {1, 0xF5, 0x03});
    d.advance(250);
    d.send(request::TimeAnswer, Bytes(11, 0));
    d.send(request::CalValueEcho, {1, 0xF4, 0, 3, 0, 0});
    EXPECT_EQ(d.model.timeAnswers(), 1u);
    ASSERT_EQ(d.model.valueEchoes().size(), 1u);
    EXPECT_EQ(d.model.valueEchoes()[0][3], 3);

    d.send(request::CalibrationEnd);
    EXPECT_TRUE(d.advance(3000).empty());
    EXPECT_TRUE(d.model.records().log.empty() || d.model.records().log.back()[6] != 0x99);
}

TEST(Calibration, BadRequestsAreRefused) {
    ModelDriver d;
    EXPECT_EQ(d.ask(request::Calibrate, {2, 0, 0})[0].code, response::NACK);
    EXPECT_EQ(d.ask(request::Calibrate, {1})[0].code, response::NACK);
}
