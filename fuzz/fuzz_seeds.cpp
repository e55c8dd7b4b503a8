// Writes the fuzzers' seed corpora into <folder>/<fuzzer>/: the streams the
// simulated interlock sends (answers, calibration and diagnosis reports, log
// sections, with and without its faults) and user files as the program writes them.
#include "app/user_accounts.h"
#include "link/codes.h"
#include "link/frame.h"
#include "sim/device_model.h"
#include "sim/event_log.h"
#include "sim/log_stream.h"

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
        seeds.write("user_file_fuzzer", Bytes(text.begin(), text.end()));
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
    return 0;
}
