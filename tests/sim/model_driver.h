#pragma once

#include "link/frame.h"
#include "sim/device_model.h"

#include <cstdint>
#include <vector>

namespace interlock::sim::test {

// An answer frame as the test saw it.
using Frame = Request;

// Drives a device model in-process on a hand-moved clock.
class ModelDriver {
  public:
    explicit ModelDriver(SimConfig config = quickConfig(), SimHooks hooks = {})
        : model(std::move(config), std::move(hooks)) {}

    static SimConfig quickConfig() {
        SimConfig config;
        config.latency = msec(2);
        return config;
    }

    void sendRaw(const std::vector<std::uint8_t>& bytes) { model.receive(bytes, now); }
    void send(std::uint8_t code, const std::vector<std::uint8_t>& payload = {}) {
        std::vector<std::uint8_t> frame(payload.size() + kFrameOverhead);
        frame.resize(buildFrame(code, payload, frame));
        sendRaw(frame);
    }
    // Moves the clock on and returns what the device sent meanwhile.
    std::vector<std::uint8_t> advance(int ms) {
        now += msec(ms);
        return model.take(now);
    }
    // Sends a request and returns the frames answered within `ms`.
    std::vector<Frame> ask(std::uint8_t code, const std::vector<std::uint8_t>& payload = {},
                           int ms = 50) {
        send(code, payload);
        return frames(advance(ms));
    }

    static std::vector<Frame> frames(const std::vector<std::uint8_t>& bytes) {
        std::vector<Frame> out;
        std::size_t at = 0;
        while (at + kFrameOverhead <= bytes.size() && bytes[at] == kFrameStart) {
            const std::size_t length = bytes[at + 2] + kFrameOverhead;
            if (at + length > bytes.size())
                break;
            const std::span<const std::uint8_t> frame(bytes.data() + at, length);
            out.push_back({frame[1], {frame.begin() + 3, frame.end() - 2}, frameCrcGood(frame)});
            at += length;
        }
        return out;
    }

    SimTime now{};
    DeviceModel model;
};

} // namespace interlock::sim::test
