// A firmware image streamed by the FIRMWARE UPDATE page to interlock-sim, which
// takes it at the line rate (115200 baud 8N1, 11,520 bytes/s): wall time from the
// loader's "Ready\r\n" to the simulator's receipt of the last byte, against the wire
// time of the bytes sent.
//
//   firmware_bench [--kib N] [--no-pacing]
//
// --no-pacing lets the simulator take the bytes as fast as the pseudo-terminal
// carries them, which shows what the program itself costs.
#include "app/program.h"
#include "connected_program.h"
#include "firmware/firmware_update_page.h"
#include "link/trace.h"
#include "printing_prompter.h"

#include <QApplication>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace interlock;
namespace fs = std::filesystem;
using SystemTime = std::chrono::system_clock::time_point;

namespace {
constexpr double kLineBytesPerSecond = 11520;

// Answers the file dialog with the image; messages go to stderr.
struct ImagePrompter : PrintingPrompter {
    std::string image;
    std::string openFileName(const std::string&, const std::string&) override { return image; }
};

// When the simulator wrote the whole image it received.
std::optional<SystemTime> receivedAt(const fs::path& file, std::uintmax_t size) {
    std::error_code error;
    if (fs::file_size(file, error) != size || error)
        return std::nullopt;
    return std::chrono::file_clock::to_sys(fs::last_write_time(file));
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::size_t kib = 256;
    const fs::path folder = fs::temp_directory_path() / "firmware-bench";
    fs::create_directories(folder);
    const fs::path imageFile = folder / "image.bin";
    const fs::path receivedFile = folder / "received.bin";
    fs::remove(receivedFile);
    std::vector<std::string> simArgs{"--firmware-out", receivedFile.string()};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--kib" && i + 1 < argc)
            kib = std::stoul(argv[++i]);
        else if (arg == "--no-pacing")
            simArgs.push_back(arg);
    }
    const std::size_t size = kib * 1024;
    {
        std::vector<char> image(size);
        for (std::size_t i = 0; i < size; ++i)
            image[i] = static_cast<char>(i * 13 + i / 509);
        std::ofstream(imageFile, std::ios::binary).write(image.data(), std::streamsize(size));
    }

    sim::SimProcess sim;
    ImagePrompter prompter;
    prompter.image = imageFile.string();
    Program program(prompter);
    if (!testing::linkToSimulator(sim, simArgs, program))
        return 1;
    std::optional<SystemTime> ready;
    setTraceSink([&ready](std::string_view line) {
        if (!ready && line == "Compare OK\r\n")
            ready = std::chrono::system_clock::now();
    });

    CFirmware_Update page(program, nullptr);
    page.show();
    page.okButton()->click();
    std::optional<SystemTime> received;
    const bool complete = QTest::qWaitFor(
        [&] { return (received = receivedAt(receivedFile, size)).has_value(); }, 3'600'000);
    setTraceSink({});

    const std::size_t sent = 4 + (size / 4 + 1) * 4;
    const double wire = static_cast<double>(sent) / kLineBytesPerSecond;
    const double wall =
        complete && ready ? std::chrono::duration<double>(*received - *ready).count() : 0;
    std::printf("image           %zu bytes\n", size);
    std::printf("bytes sent      %zu (size and %zu groups)\n", sent, size / 4 + 1);
    std::printf("received        %s\n", complete ? "whole" : "NOT WHOLE");
    std::printf("wire time       %.3f s at 11,520 bytes/s\n", wire);
    std::printf("wall time       %.3f s from \"Ready\" to the last byte received\n", wall);
    std::printf("wall / wire     %.4f\n", wall / wire);
    fs::remove_all(folder);
    return complete ? 0 : 1;
}
