#include "sim/device_records.h"

#include <algorithm>

namespace interlock::sim {

DeviceRecords defaultRecords() {
    DeviceRecords r;
    r.identity.set_Part_type_f(2);
    r.identity.set_DUT(ENUM_DUT_CONTROLBOX);
    r.identity.set_handset_serial("HS000123");
    r.identity.set_control_serial("CU000456");

    r.option.set_test_unit(TestUnit::PercentBac);
    r.option.set_test_mode(0);
    r.option.set_alarm_density(20);
    r.option.set_blow_amount(1);
    r.option.set_cal_fix_date(180);
    r.option.set_service_fix_date(60);

    r.config.set_retest_min(5);
    r.config.set_retest_max(15);
    r.config.set_multi_retest_min(10);
    r.config.set_multi_retest_max(20);
    r.config.set_first_blocking_time(5);
    r.config.set_second_blocking_time(30);
    r.config.set_early_service_recall(0);
    // Within every settings page's checks (start period up to the restart period), so
    // that OK on an unchanged page writes rather than refuses.
    r.config.set_start_period(3);
    r.config.set_restart_period(30);
    r.config.set_lock_out(1);
    r.config.set_lock_out_warning(5);
    r.config.set_circumvention_mode(0);
    r.config.set_log_type(1);
    r.config.set_quenlix_option(0);

    r.service.set_service_time(26, 11, 2, 9, 30);
    r.service.set_service_kind(1);
    r.service.set_Override_fix_H(0);
    for (std::size_t i = 0; i < Te_Service_t::kPinDigits; ++i)
        r.service.set_PinCode(i, static_cast<std::uint8_t>(i + 1));

    r.gSensor.set_Sensitivity(2);
    r.info.set_version(4, 4);
    return r;
}

std::vector<std::uint8_t> wholeRecordImage(const DeviceRecords& records) {
    WholeRecord whole;
    const auto put = [&whole](std::size_t at, std::span<const std::uint8_t> part) {
        std::copy(part.begin(), part.end(), whole.bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(WholeRecord::kIdentityAt, records.identity.view());
    put(WholeRecord::kOptionAt, records.option.view());
    put(WholeRecord::kConfigAt, records.config.view());
    put(WholeRecord::kServiceAt, records.service.view());
    put(WholeRecord::kGSensorAt, records.gSensor.view());
    return {whole.bytes.begin(), whole.bytes.end()};
}

bool storeWholeRecord(DeviceRecords& records, std::span<const std::uint8_t> payload) {
    if (payload.size() != WholeRecord::sizeFor(records.identity.DUT()))
        return false;
    const auto part = [payload](std::size_t at, std::size_t size) {
        return payload.subspan(at, size);
    };
    records.identity.assign(part(WholeRecord::kIdentityAt, IdentityRecord::size));
    records.option.assign(part(WholeRecord::kOptionAt, Te_Option_t::size));
    records.config.assign(part(WholeRecord::kConfigAt, Te_Config_Data_t::size));
    records.service.assign(part(WholeRecord::kServiceAt, Te_Service_t::size));
    if (payload.size() == WholeRecord::size)
        records.gSensor.assign(part(WholeRecord::kGSensorAt, Te_G_Sensor_t::size));
    return true;
}

} // namespace interlock::sim
