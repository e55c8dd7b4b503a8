#include "firmware_fixture.h"

#include <fstream>

namespace interlock::testing {

// The whole stream is sized once and filled in place: growing a four-byte vector by
// the image trips GCC 12's -Warray-bounds at -O3.
Bytes streamOf(const Bytes& image) {
    const auto size = static_cast<std::uint32_t>(image.size());
    Bytes stream(4 + (image.size() / 4 + 1) * 4, 0xFF);
    for (std::size_t i = 0; i < 4; ++i)
        stream[i] = static_cast<std::uint8_t>(size >> (8 * i));
    std::copy(image.begin(), image.end(), stream.begin() + 4);
    return stream;
}

FirmwareTest::FirmwareTest() {
    state.link.setChannel(&channel);
    host.update = &update;
    folder = std::filesystem::temp_directory_path() /
             (std::string("firmware_test_") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

FirmwareTest::~FirmwareTest() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void FirmwareTest::feed(std::string_view text) {
    feed(Bytes(text.begin(), text.end()));
}

void FirmwareTest::loaderReady() {
    update.startLoader();
    feed("Ready\r\n");
    channel.writes.clear();
}

std::filesystem::path FirmwareTest::chooseFile(const Bytes& bytes, const std::string& name) {
    const auto path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    page.choice = path.string();
    return path;
}

Bytes FirmwareTest::runTransfer(std::size_t blockBytes) {
    channel.writes.clear();
    if (update.beginTransfer()) {
        Bytes block(blockBytes);
        while (const std::size_t count = update.nextBlock(block))
            channel.writeBytes(std::span(block).first(count));
    }
    return written();
}

Bytes FirmwareTest::written() const {
    Bytes all;
    for (const Bytes& write : channel.writes)
        all.insert(all.end(), write.begin(), write.end());
    return all;
}

std::vector<std::uint8_t> FirmwareTest::requestCodes() const {
    std::vector<std::uint8_t> codes;
    for (const Bytes& write : channel.writes)
        codes.push_back(write.at(1));
    return codes;
}

} // namespace interlock::testing
