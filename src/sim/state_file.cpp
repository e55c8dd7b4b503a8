#include "sim/state_file.h"

#include "link/file_replace.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace interlock::sim {

namespace {
constexpr char kMagic[4] = {'I', 'S', 'I', 'M'};
constexpr std::uint8_t kVersion = 1;

template <typename Image> void put(std::vector<std::uint8_t>& out, const Image& image) {
    out.insert(out.end(), image.bytes.begin(), image.bytes.end());
}

class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}
    bool take(std::span<std::uint8_t> out) {
        if (data_.size() - at_ < out.size())
            return false;
        std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(at_), out.size(), out.begin());
        at_ += out.size();
        return true;
    }
    std::size_t left() const { return data_.size() - at_; }

  private:
    const std::vector<std::uint8_t>& data_;
    std::size_t at_ = 0;
};
} // namespace

bool saveState(const std::string& path, const DeviceRecords& r) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    out.push_back(kVersion);
    put(out, r.identity);
    put(out, r.option);
    put(out, r.config);
    put(out, r.service);
    put(out, r.gSensor);
    put(out, r.info);
    out.insert(out.end(), r.counters.begin(), r.counters.end());
    const auto count = static_cast<std::uint32_t>(r.log.size());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(count >> shift));
    for (const LogEvent& e : r.log)
        out.insert(out.end(), e.begin(), e.end());

    // Written aside and renamed, so a crash never leaves half a state behind.
    const std::string_view bytes(reinterpret_cast<const char*>(out.data()), out.size());
    return !replaceFile(path, bytes);
}

std::optional<DeviceRecords> loadState(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(file), {}};
    Reader in(data);
    DeviceRecords r;
    std::array<std::uint8_t, 5> head{};
    std::array<std::uint8_t, 4> count{};
    const bool good =
        in.take(head) && std::equal(std::begin(kMagic), std::end(kMagic), head.begin()) &&
        head[4] == kVersion && in.take(r.identity.bytes) && in.take(r.option.bytes) &&
        in.take(r.config.bytes) && in.take(r.service.bytes) && in.take(r.gSensor.bytes) &&
        in.take(r.info.bytes) && in.take(r.counters) && in.take(count);
    const std::size_t events = std::size_t(count[0]) | std::size_t(count[1]) << 8 |
                               std::size_t(count[2]) << 16 | std::size_t(count[3]) << 24;
    if (!good || in.left() != events * sizeof(LogEvent)) {
        error = path + " is not a simulator state file";
        return std::nullopt;
    }
    r.log.resize(events);
    for (LogEvent& e : r.log)
        in.take(e);
    return r;
}

} // namespace interlock::sim
