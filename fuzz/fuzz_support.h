#pragma once

#include "link/byte_channel.h"
#include "link/dispatcher_host.h"
#include "link/pauser.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>

namespace interlock::fuzz {

// Frames the code under test writes go nowhere.
class DiscardingChannel : public ByteChannel {
  public:
    void writeBytes(std::span<const std::uint8_t>) override {}
};

// Pages wait for nothing.
class NoPause : public Pauser {
  public:
    void pause(int) override {}
    void pauseForAnswer(int, std::uint8_t) override {}
};

// The dispatcher's later tasks are queued and run when the test says so.
class QueueHost : public DispatcherHost {
  public:
    void later(int, std::function<void()> task) override { tasks.push_back(std::move(task)); }
    CivilTime utcNow() override { return {2026, 12, 6, 9, 30, 15}; }
    void runAll() {
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
    }
    std::deque<std::function<void()>> tasks;
};

// Hands a stream over in reads of varying size, as a serial port delivers it: the
// sizes cycle through a pattern picked by `pattern`, so the same input always
// gives the same reads.
template <typename Feed>
void inReads(std::span<const std::uint8_t> stream, std::uint8_t pattern, Feed&& feed) {
    static constexpr std::size_t kSizes[] = {1, 2, 3, 5, 7, 10, 16, 64, 255, 512, 4095, 5000};
    constexpr std::size_t kCount = sizeof kSizes / sizeof kSizes[0];
    for (std::size_t turn = pattern; !stream.empty(); turn += 1 + pattern / kCount) {
        const std::size_t size = std::min(stream.size(), kSizes[turn % kCount]);
        feed(stream.first(size));
        stream = stream.subspan(size);
    }
}

// A folder of this process's own, in memory where the system offers one, removed
// at exit.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& fuzzer) {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        const std::filesystem::path top = std::filesystem::is_directory(memory, error)
                                              ? memory
                                              : std::filesystem::temp_directory_path();
        folder_ = top / (fuzzer + "." + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path file(const std::string& name) const { return folder_ / name; }

  private:
    std::filesystem::path folder_;
};

// A file in this fuzzer's scratch folder, which the first call makes.
inline std::filesystem::path scratchFile(const std::string& fuzzer, const std::string& name) {
    static const ScratchFolder folder(fuzzer);
    return folder.file(name);
}

inline void writeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A property the code under test broke: stops the fuzzer with this input.
inline void mustHold(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace interlock::fuzz
