// The log header receiver on any header section, and the header rows of the
// export text made from what it assembled.
#include "link/local_time.h"
#include "log/log_receiver.h"

using namespace interlock;

namespace {

class HeaderRows : public LogReceiverEvents {
  public:
    void headerSkipped() override { ++skipped; }
    void headerComplete(const LogHeader& header) override {
        addHeaderRows(texts, header, localStampOf(header.serviceTime()));
    }
    void eventRecord(std::span<const std::uint8_t>) override {}
    void eventLogEmpty() override {}
    void eventLogComplete() override {}
    LogTexts texts;
    int skipped = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramState state;
    HeaderRows rows;
    LogReceiver receiver(state, rows);
    receiver.startSection(LogSection::Header);
    for (std::size_t i = 0; i < size; ++i)
        receiver.feed(data[i]);
    return 0;
}
