// An image that cannot be read (missing, a FIFO, a read error; the other kinds of
// file are regular_file's) is named, nothing is sent, and the loader's next byte
// offers the dialog again. POSIX files.
#include "firmware_fixture.h"

#include <sys/stat.h>

using namespace interlock;
using namespace interlock::testing;

namespace {

enum class Unreadable { Missing, Fifo, ReadError };

struct UnreadableCase {
    Unreadable kind;
    std::string reason;
    friend std::ostream& operator<<(std::ostream& out, const UnreadableCase& c) {
        return out << c.reason;
    }
};

class UnreadableImage : public FirmwareTest, public ::testing::WithParamInterface<UnreadableCase> {
  protected:
    // The path chosen in the dialog for `kind`.
    std::filesystem::path chosen(Unreadable kind) {
        const auto path = folder / "image.bin";
        switch (kind) {
        case Unreadable::Fifo:
            // Nobody writes to it: an open that waited for a writer would never end.
            EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
            break;
        case Unreadable::ReadError:
            loader = [](const std::string&) {
                return WholeFile{{}, 0, std::error_code(EIO, std::generic_category())};
            };
            break;
        case Unreadable::Missing:
            break;
        }
        return path;
    }
};

TEST_P(UnreadableImage, SaysWhyAndTheNextLoaderByteOffersTheDialogAgain) {
    const UnreadableCase& c = GetParam();
    const auto path = chosen(c.kind);
    page.choice = path.string();
    loaderReady();
    EXPECT_TRUE(runTransfer().empty());
    EXPECT_TRUE(traces.has("bin file open error\r\n"));
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_EQ(page.messages[0],
              "The firmware file could not be opened. | " + path.string() + ": " + c.reason);
    EXPECT_EQ(state.fwTransferState, 0);
    EXPECT_EQ(page.cancelOffers, 1);
    feed("x");
    EXPECT_EQ(page.scheduled, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableImage,
    ::testing::Values(UnreadableCase{Unreadable::Missing, "No such file or directory"},
                      UnreadableCase{Unreadable::Fifo, "it is a FIFO (named pipe), not a file"},
                      UnreadableCase{Unreadable::ReadError, "Input/output error"}));

} // namespace
