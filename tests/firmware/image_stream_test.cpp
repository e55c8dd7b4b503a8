#include "firmware_fixture.h"

#include "firmware/image_stream.h"

using namespace interlock;
using namespace interlock::testing;

namespace {

// Runs a stream to its end in blocks of `blockBytes`.
Bytes drain(ImageStream& stream, std::size_t blockBytes) {
    Bytes all;
    Bytes block(blockBytes);
    while (const std::size_t count = stream.fill(block, [](int) {}))
        all.insert(all.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count));
    return all;
}

struct StreamCase {
    std::size_t imageBytes;
    Bytes expected;
    friend std::ostream& operator<<(std::ostream& out, const StreamCase& c) {
        return out << c.imageBytes << "-byte image";
    }
};

class ImageStreamBytes : public ::testing::TestWithParam<StreamCase> {};

TEST_P(ImageStreamBytes, SizeThenGroupsPaddedWithFF) {
    const StreamCase& c = GetParam();
    for (const std::size_t blockBytes : {4u, 8u, 12u, 2048u}) {
        ImageStream stream(counting(c.imageBytes));
        EXPECT_EQ(drain(stream, blockBytes), c.expected) << "blocks of " << blockBytes;
        EXPECT_TRUE(stream.complete());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageStreamBytes,
    ::testing::Values(StreamCase{10, {0x0A, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFF, 0xFF}},
                      StreamCase{12, {0x0C, 0, 0, 0,  1,  2,  3,    4,    5,    6,
                                      7,    8, 9, 10, 11, 12, 0xFF, 0xFF, 0xFF, 0xFF}},
                      StreamCase{4, {4, 0, 0, 0, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF}},
                      StreamCase{5, {5, 0, 0, 0, 1, 2, 3, 4, 5, 0xFF, 0xFF, 0xFF}}));

} // namespace
