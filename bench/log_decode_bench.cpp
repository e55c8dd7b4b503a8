// Throughput of the log download core: records decoded into lines, and a whole
// read from the first header byte to the renamed export file, in records per
// second and as a multiple of the line rate (1,152 ten-byte records per second at
// 115200 baud 8N1).
#include "download_view.h"
#include "link/local_time.h"
#include "log/event_decoder.h"
#include "log/log_download.h"
#include "recording_pauser.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace {

using namespace interlock;
using Bytes = std::vector<std::uint8_t>;

constexpr double kLineRecordsPerSecond = 11520.0 / 10.0;
constexpr std::uint32_t kRecords = 10000;

// Cycles through kept PART 2 events with values, stamped a minute apart.
Bytes record(std::uint32_t i) {
    static constexpr std::uint8_t kCodes[] = {0x10, 0x12, 0x1A, 0x27, 0x30, 0x31, 0x99, 0x2D};
    Bytes r{17,
            static_cast<std::uint8_t>(1 + i / 40000 % 12),
            static_cast<std::uint8_t>(1 + i / 1440 % 28),
            static_cast<std::uint8_t>(i / 60 % 24),
            static_cast<std::uint8_t>(i % 60),
            static_cast<std::uint8_t>(i * 7 % 60),
            kCodes[i % 8],
            static_cast<std::uint8_t>((i * 37) >> 8 & 0x03),
            static_cast<std::uint8_t>(i * 37)};
    std::uint8_t check = 0;
    for (const std::uint8_t b : r)
        check = static_cast<std::uint8_t>(check + b);
    r.push_back(check);
    return r;
}

void addLe32(Bytes& to, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        to.push_back(static_cast<std::uint8_t>(v >> shift));
}

Bytes eventStream() {
    Bytes out;
    addLe32(out, kRecords * 10);
    std::uint32_t total = 0;
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        const Bytes r = record(i);
        out.insert(out.end(), r.begin(), r.end());
        for (int b = 0; b < 9; ++b)
            total += r[static_cast<std::size_t>(b)];
    }
    addLe32(out, total);
    return out;
}

void reportRate(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords);
    state.counters["x_line_rate"] =
        benchmark::Counter(static_cast<double>(kRecords) / kLineRecordsPerSecond,
                           benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DecodeRecords(benchmark::State& state) {
    std::vector<Bytes> records;
    for (std::uint32_t i = 0; i < kRecords; ++i)
        records.push_back(record(i));
    reloadTimeZone();
    const EventDecoder decoder{LOG_TYPE_PART2, LogGeneration::Current, TestUnit::PercentBac};
    LogTexts texts;
    for (auto _ : state) {
        std::uint32_t number = 1;
        for (const Bytes& r : records) {
            decoder.decode(r, number, texts);
            benchmark::DoNotOptimize(texts.file.data());
            texts.clear();
        }
    }
    reportRate(state);
}
BENCHMARK(BM_DecodeRecords)->Unit(benchmark::kMillisecond);

class NullChannel : public ByteChannel {
  public:
    void writeBytes(std::span<const std::uint8_t> bytes) override {
        benchmark::DoNotOptimize(bytes.data());
    }
};

void BM_DownloadAndExport(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "log_decode_bench";
    std::filesystem::create_directories(folder);
    const Bytes header{0, 0, 0, 0};
    const Bytes events = eventStream();
    NullChannel channel;
    testing::RecordingPauser pauser;
    ProgramState program;
    program.link.setChannel(&channel);
    program.Log_FW_Check = 0x0404;
    program.config.set_log_type(LOG_TYPE_PART2);
    program.option.set_test_unit(TestUnit::PercentBac);
    Requester requester{program, pauser};
    testing::DownloadView view(false);
    LogDownload download{requester, view, folder};
    constexpr std::size_t kChunk = 512; // about what one serial read delivers
    for (auto _ : state) {
        download.startRead("BENCH");
        download.onBytes(header);
        for (std::size_t at = 0; at < events.size(); at += kChunk)
            download.onBytes(std::span(events).subspan(at, std::min(kChunk, events.size() - at)));
        if (download.running())
            state.SkipWithError("the read did not complete");
    }
    reportRate(state);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DownloadAndExport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
