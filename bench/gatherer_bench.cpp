// Throughput of the receive path: the gatherer and dispatcher on a long stream of
// valid record responses, fed in chunks as the serial channel delivers them.
#include "link/codes.h"
#include "link/frame.h"
#include "link/response_dispatcher.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace interlock;
using Bytes = std::vector<std::uint8_t>;

constexpr double kLineBytesPerSecond = 11520.0; // 115200 baud, 8N1

class NullHost : public DispatcherHost {
  public:
    void later(int, std::function<void()>) override {}
    CivilTime utcNow() override { return {2026, 12, 6, 12, 0, 0}; }
};

class NullChannel : public ByteChannel {
  public:
    void writeBytes(std::span<const std::uint8_t> bytes) override {
        benchmark::DoNotOptimize(bytes.data());
    }
};

void appendFrame(Bytes& stream, std::uint8_t code, std::size_t payloadSize, std::uint8_t seed) {
    Bytes payload(payloadSize);
    for (std::size_t i = 0; i < payloadSize; ++i)
        payload[i] = static_cast<std::uint8_t>(seed + i * 7);
    if (code == response::PC_WHOLE_READ)
        payload[2] = ENUM_DUT_CONTROLBOX;
    if (code == response::RESPONSE_CAL_VALUE)
        payload[3] = 1; // first reading
    Bytes frame(payloadSize + kFrameOverhead);
    buildFrame(code, payload, frame);
    stream.insert(stream.end(), frame.begin(), frame.end());
}

// Roughly 256 KiB of the record responses a session sees, in a fixed mix.
Bytes makeStream() {
    struct Kind {
        std::uint8_t code;
        std::size_t size;
    };
    const Kind mix[] = {{response::TE_OPTION, 10},
                        {response::TE_CONFIG_DATA, 19},
                        {response::TE_SERVICE, 13},
                        {response::TE_G_SENSOR, 5},
                        {response::TE_INFO, 7},
                        {response::TE_DIAGNOSIS, 24},
                        {response::TE_ID, 19},
                        {response::PC_WHOLE_READ, 66},
                        {response::RESPONSE_CAL_STATUS, 7},
                        {response::RESPONSE_CAL_VALUE, 6},
                        {response::ACK, 0}};
    Bytes stream;
    for (std::uint8_t seed = 0; stream.size() < 256 * 1024; ++seed)
        for (const Kind& kind : mix)
            appendFrame(stream, kind.code, kind.size, seed);
    return stream;
}

void BM_GatherAndDispatch(benchmark::State& bench) {
    const Bytes stream = makeStream();
    const auto chunkSize = static_cast<std::size_t>(bench.range(0));
    auto state = std::make_unique<ProgramState>();
    NullHost host;
    NullChannel channel;
    state->link.setChannel(&channel);
    state->identitySeen = true; // past the connect: identity answers only update the record
    state->infoSeen = true;
    ResponseDispatcher dispatcher(*state, host);

    for (auto _ : bench) {
        for (std::size_t at = 0; at < stream.size(); at += chunkSize) {
            const std::size_t n = std::min(chunkSize, stream.size() - at);
            dispatcher.onBytes(std::span<const std::uint8_t>(stream).subspan(at, n));
        }
        benchmark::DoNotOptimize(state->answersReceived.data());
    }
    const double total =
        static_cast<double>(stream.size()) * static_cast<double>(bench.iterations());
    bench.SetBytesProcessed(static_cast<std::int64_t>(total));
    bench.counters["x_line_rate"] =
        benchmark::Counter(total / kLineBytesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GatherAndDispatch)->Arg(16)->Arg(512)->Arg(4095)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
