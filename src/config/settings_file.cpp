#include "config/settings_file.h"

#include "link/file_replace.h"
#include "link/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace interlock {

namespace fs = std::filesystem;

namespace {

// One field of the file: its width and how it is read from and stored into the
// program-state records.
struct FileField {
    std::size_t size;
    std::uint32_t (*get)(const ProgramState&);
    void (*set)(ProgramState&, std::uint32_t);
};

// A field kept in record `Record` behind the accessors `Get` and `Set`; its width
// is that of the accessor's value.
template <auto Record, auto Get, auto Set> constexpr FileField field() {
    using Value = decltype((std::declval<const ProgramState&>().*Record.*Get)());
    return {sizeof(Value),
            [](const ProgramState& s) { return static_cast<std::uint32_t>((s.*Record.*Get)()); },
            [](ProgramState& s, std::uint32_t v) { (s.*Record.*Set)(static_cast<Value>(v)); }};
}

using S = ProgramState;
using O = Te_Option_t;
using C = Te_Config_Data_t;

constexpr FileField kPinCode{
    Te_Service_t::kPinDigits,
    [](const ProgramState& s) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < Te_Service_t::kPinDigits; ++i)
            v |= static_cast<std::uint32_t>(s.service.PinCode(i)) << (8 * i);
        return v;
    },
    [](ProgramState& s, std::uint32_t v) {
        for (std::size_t i = 0; i < Te_Service_t::kPinDigits; ++i)
            s.service.set_PinCode(i, static_cast<std::uint8_t>(v >> (8 * i)));
    }};

// The fields in file order.
constexpr FileField kFields[] = {
    field<&S::option, &O::service_fix_date, &O::set_service_fix_date>(),
    field<&S::config, &C::lock_out_warning, &C::set_lock_out_warning>(),
    field<&S::config, &C::retest_min, &C::set_retest_min>(),
    field<&S::config, &C::retest_max, &C::set_retest_max>(),
    field<&S::config, &C::multi_retest_min, &C::set_multi_retest_min>(),
    field<&S::config, &C::multi_retest_max, &C::set_multi_retest_max>(),
    field<&S::config, &C::start_period, &C::set_start_period>(),
    field<&S::config, &C::restart_period, &C::set_restart_period>(),
    field<&S::config, &C::first_blocking_time, &C::set_first_blocking_time>(),
    field<&S::config, &C::second_blocking_time, &C::set_second_blocking_time>(),
    field<&S::option, &O::test_unit, &O::set_test_unit>(),
    field<&S::option, &O::alarm_density, &O::set_alarm_density>(),
    field<&S::option, &O::test_mode, &O::set_test_mode>(),
    field<&S::option, &O::blow_amount, &O::set_blow_amount>(),
    field<&S::config, &C::circumvention_mode, &C::set_circumvention_mode>(),
    field<&S::config, &C::quenlix_option, &C::set_quenlix_option>(),
    field<&S::service, &Te_Service_t::Override_fix_H, &Te_Service_t::set_Override_fix_H>(),
    kPinCode,
};

constexpr std::size_t fieldBytes() {
    std::size_t total = 0;
    for (const FileField& f : kFields)
        total += f.size;
    return total;
}
static_assert(fieldBytes() == kSettingsFileSize);

FileOutcome failure(std::string_view doing, const fs::path& path, std::error_code error) {
    return {false, std::string(doing) + " " + path.string() + ": " + error.message() + "."};
}

} // namespace

SettingsFileBytes settingsFileBytes(const ProgramState& state) {
    SettingsFileBytes bytes{};
    std::size_t at = 0;
    for (const FileField& f : kFields) {
        const std::uint32_t value = f.get(state);
        for (std::size_t i = 0; i < f.size; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        at += f.size;
    }
    return bytes;
}

void applySettingsFile(std::span<const std::uint8_t> bytes, ProgramState& state) {
    std::size_t at = 0;
    for (const FileField& f : kFields) {
        if (at + f.size > bytes.size())
            return;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < f.size; ++i)
            value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
        f.set(state, value);
        at += f.size;
    }
}

fs::path settingsFilePath(std::string_view chosen) {
    constexpr std::string_view kExtension = ".cfg";
    std::string path(chosen);
    if (!path.ends_with(kExtension))
        path += kExtension;
    return fs::path(path);
}

FileOutcome saveSettingsFile(const fs::path& path, const SettingsFileBytes& bytes) {
    constexpr const char* kDoing = "Could not save";
    // A read-only file, a folder or a FIFO of that name stays as it is.
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const std::error_code error = replaceChosenFile(path, text))
        return failure(kDoing, path, error);
    return {};
}

FileOutcome loadSettingsFile(const fs::path& path, ProgramState& state) {
    constexpr const char* kDoing = "Could not open";
    std::error_code error;
    const RegularFile opened = openRegularFile(path, FileAccess::Read, error);
    if (!opened.file)
        return failure(kDoing, path, error);
    SettingsFileBytes bytes{};
    errno = 0;
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), opened.file.get());
    if (std::ferror(opened.file.get()))
        return failure(kDoing, path, {errno ? errno : EIO, std::generic_category()});
    if (read == 0)
        return {.note = "Nothing was loaded: " + path.string() + " holds no settings."};
    applySettingsFile(std::span(bytes).first(read), state);
    return {};
}

} // namespace interlock
