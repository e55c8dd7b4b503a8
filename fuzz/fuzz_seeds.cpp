// Writes the fuzzers' seed corpora into <folder>/<fuzzer>/: the streams the
// simulated interlock sends (answers, calibration and diagnosis reports, log
// sections, with and without its faults, its firmware loader's greeting) and the
// files the program writes (user files, settings files, export files).
#include "app/user_accounts.h"
#include "config/settings_file.h"
#include "link/codes.h"
#include "link/frame.h"
#include "sim/device_model.h"
#include "sim/event_log.h"
#include "sim/log_stream.h"
#include "written_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace interlock;
using namespace interlock::sim;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

class SeedWriter {
  public:
    explicit SeedWriter(fs::path folder) : folder_(std::move(folder)) {}
    void write(const std::string& fuzzer, const Bytes& bytes) {
        const fs::path dir = folder_ / fuzzer;
        fs::create_directories(dir);
        const fs::path file = dir / ("seed-" + std::to_string(++count_));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    void write(const std::string& fuzzer, const std::string& text) {
        write(fuzzer, Bytes(text.begin(), text.end()));
    }
    Bytes prefixed(std::uint8_t control, const Bytes& stream) {
        Bytes out{control};
        out.insert(out.end(), stream.begin(), stream.end());
        return out;
    }

  private:
    fs::path folder_;
    int count_ = 0;
};

struct Ask {
    std::uint8_t code;
    Bytes payload;
    int waitMs;
};

// What the device sends in answer to `asks`, one after the other.
Bytes answers(const SimConfig& config, const std::vector<Ask>& asks) {
    DeviceModel model(config);
    SimTime now{};
    Bytes out;
    for (const Ask& ask : asks) {
        Bytes frame(ask.payload.size() + kFrameOverhead);
        frame.resize(buildFrame(ask.code, ask.payload, frame));
        model.receive(frame, now);
        now += msec(ask.waitMs);
        const Bytes sent = model.take(now);
        out.insert(out.end(), sent.begin(), sent.end());
    }
    return out;
}

void dispatcherSeeds(SeedWriter& seeds) {
    const std::vector<Ask> session = {
        {request::Connect, {0x01}, 50},
        {request::ReadInfo, {}, 50},
        {request::ReadOption, {}, 50},
        {request::ReadConfig, {}, 50},
        {request::ReadService, {}, 50},
        {request::ReadGSensor, {}, 50},
        {request::WholeRead, {}, 50},
        {request::DiagnosisControl, {1, 1, 0}, 50},
        {request::WriteOption, Bytes(10, 1), 50},
        {request::Pairing, {}, 50},
    };
    SimConfig plain;
    seeds.write("dispatcher_fuzzer", seeds.prefixed(0, answers(plain, session)));
    for (const Ask& ask : session)
        seeds.write("dispatcher_fuzzer", seeds.prefixed(0x21, answers(plain, {ask})));

    SimConfig alternative;
    alternative.identityAlt = true;
    alternative.faults.garbageBefore = AnswerPick{response::TE_INFO, 1};
    alternative.faults.badCrc = AnswerPick{response::TE_OPTION, 1};
    seeds.write("dispatcher_fuzzer", seeds.prefixed(0x13, answers(alternative, session)));

    // A calibration run: status reports and values, step and check modes.
    for (const std::uint8_t mode : {1, 3}) {
        SimConfig calibration;
        calibration.calStep = msec(100);
        seeds.write(
            "dispatcher_fuzzer",
            seeds.prefixed(mode == 1 ? 0x20 : 0x29,
                           answers(calibration, {{request::Calibrate, {mode, 0xF5, 0x03}, 2000}})));
    }
}

void logSeeds(SeedWriter& seeds) {
    const DeviceRecords records = defaultRecords();
    for (const HeaderMode mode :
         {HeaderMode::Full, HeaderMode::EmptyZero, HeaderMode::EmptyAllOnes})
        seeds.write("log_header_fuzzer", headerSection(records, mode));

    const CivilTime start{2026, 3, 28, 22, 0, 0};
    for (const std::uint8_t part : {1, 2}) {
        for (const std::size_t count : {0u, 1u, 12u, 60u}) {
            const std::vector<LogEvent> events =
                generateEvents(count * 7 + part, count, part, start);
            const auto control = static_cast<std::uint8_t>(part - 1);
            seeds.write("event10_fuzzer", seeds.prefixed(control, eventSection(events, 0x0404)));
            seeds.write("event8_fuzzer", seeds.prefixed(control, eventSection(events, 0x0402)));
        }
    }
    const std::vector<LogEvent> events = generateEvents(5, 20, 2, start);
    LogContentFaults badCheck;
    badCheck.badCheckRecord = 3;
    LogContentFaults badTotal;
    badTotal.badTotal = true;
    for (const LogContentFaults& faults : {badCheck, badTotal})
        seeds.write("event10_fuzzer", seeds.prefixed(0x81, eventSection(events, 0x0403, faults)));
}

void userFileSeeds(SeedWriter& seeds) {
    std::string accounts;
    for (int i = 1; i <= 20; ++i)
        accounts += userFileLine({"user" + std::to_string(i), "pass" + std::to_string(i)});
    for (const std::string& text :
         {std::string(), userFileLine({"demo", "demo"}), accounts,
          std::string("alice secret  bob\tpw2\ncarol"), std::string(60, 'x') + " y\r\n"})
        seeds.write("user_file_fuzzer", text);
}

// The loader's greeting, whole and split, after the answer to the loader request,
// and as a waiting loader repeats it; the control bytes vary the image and the reads.
void loaderSeeds(SeedWriter& seeds) {
    const std::vector<Ask> start = {{request::Connect, {0x01}, 50},
                                    {request::FirmwareLoader, {}, 3000}};
    SimConfig whole;
    SimConfig split;
    split.splitReady = true;
    SimConfig waiting;
    waiting.loaderWaiting = true;
    seeds.write("loader_ready_fuzzer", seeds.prefixed(0x08, answers(whole, start)));
    seeds.write("loader_ready_fuzzer", seeds.prefixed(0x30, answers(split, start)));
    seeds.write("loader_ready_fuzzer",
                seeds.prefixed(0x02, answers(waiting, {{request::ReadInfo, {}, 2500}})));
}

// Settings files as SAVE writes them: from the simulated unit's records, from a
// PART 1 unit's, cut short and with bytes after the 25th.
void settingsFileSeeds(SeedWriter& seeds) {
    ProgramState state;
    const auto savedFrom = [&state](const DeviceRecords& records) {
        state.option = records.option;
        state.config = records.config;
        state.service = records.service;
        const SettingsFileBytes bytes = settingsFileBytes(state);
        return Bytes(bytes.begin(), bytes.end());
    };
    DeviceRecords part1 = defaultRecords();
    part1.option.set_service_fix_date(0);
    part1.option.set_test_unit(TestUnit::Promille);
    part1.service.set_Override_fix_H(0);
    const Bytes saved = savedFrom(defaultRecords());
    Bytes longer = saved;
    longer.resize(64, 0xFF);
    for (const Bytes& file :
         {saved, savedFrom(part1), Bytes(saved.begin(), saved.begin() + 12), longer, Bytes()})
        seeds.write("settings_file_fuzzer", file);
}

// Export files as the log download writes them: 10-byte and 8-byte records, both
// wordings, each reading unit, an empty header, no events, plain line ends.
void exportFileSeeds(SeedWriter& seeds) {
    const CivilTime start{2026, 3, 28, 22, 0, 0};
    for (const std::uint32_t firmware : {0x0404u, 0x0402u}) {
        for (const std::uint8_t line : {1, 2}) {
            testing::ServedLog log;
            log.firmware = firmware;
            log.logType = line == 1 ? LOG_TYPE_PART1 : LOG_TYPE_PART2;
            log.events = generateEvents(firmware + line, 40, line, start);
            seeds.write("export_file_fuzzer", testing::writtenExport(log));
        }
    }
    for (const std::uint8_t unit : {2, 3, 5}) {
        testing::ServedLog log;
        log.testUnit = unit;
        log.header = unit != 5;
        log.events = generateEvents(unit, 8, 2, start);
        seeds.write("export_file_fuzzer", testing::writtenExport(log));
    }
    testing::ServedLog empty;
    seeds.write("export_file_fuzzer", testing::writtenExport(empty));
    testing::ServedLog plain;
    plain.events = generateEvents(3, 5, 2, start);
    std::string text = testing::writtenExport(plain);
    std::erase(text, '\r');
    seeds.write("export_file_fuzzer", text);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    SeedWriter seeds{fs::path(argv[1])};
    dispatcherSeeds(seeds);
    logSeeds(seeds);
    userFileSeeds(seeds);
    loaderSeeds(seeds);
    settingsFileSeeds(seeds);
    exportFileSeeds(seeds);
    return 0;
}
