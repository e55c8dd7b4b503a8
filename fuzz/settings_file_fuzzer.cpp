// The settings file reader on any file content, as LOAD on the SETTINGS page runs
// it: the records take the file's fields and both settings pages show them, then OK
// checks and writes them. A file loaded and saved again at once must come back as
// the fields it held.
#include "config/settings_part1_form.h"
#include "config/settings_part2_form.h"
#include "fuzz_support.h"

#include <iterator>
#include <vector>

using namespace interlock;
using fuzz::mustHold;

namespace {

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path loaded = fuzz::scratchFile("settings_file_fuzzer", "loaded.cfg");
    const std::filesystem::path saved = fuzz::scratchFile("settings_file_fuzzer", "saved.cfg");
    fuzz::writeFile(loaded, {data, size});

    ProgramState state;
    SettingsPart2Form form;
    form.open(state);
    mustHold(form.load(loaded, state).ok);

    mustHold(saveSettingsFile(saved, settingsFileBytes(state)).ok);
    const std::vector<std::uint8_t> again = fileBytes(saved);
    mustHold(again.size() == kSettingsFileSize);
    if (size >= kSettingsFileSize)
        mustHold(std::equal(again.begin(), again.end(), data));

    SettingsPart1Form part1;
    part1.open(state);
    fuzz::DiscardingChannel channel;
    state.link.setChannel(&channel);
    fuzz::NoPause pauser;
    Requester requester(state, pauser);
    part1.ok(requester);
    form.ok(requester);
    return 0;
}
