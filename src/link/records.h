#pragma once

#include "link/byte_image.h"

namespace interlock {

// Values of DUT, the unit that answers.
enum Dut : std::uint8_t { ENUM_DUT_NONE = 0, ENUM_DUT_CONTROLBOX = 1, ENUM_DUT_HANDSET = 2 };

// Identity record: answered as TE_ID, written with 0x51.
struct IdentityRecord : ByteImage<19> {
    static constexpr std::size_t kSerialWidth = 8;
    std::uint8_t pairing_command() const { return u8(0); }
    void set_pairing_command(std::uint8_t v) { setU8(0, v); }
    std::uint8_t Part_type_f() const { return u8(1); }
    void set_Part_type_f(std::uint8_t v) { setU8(1, v); }
    std::uint8_t DUT() const { return u8(2); }
    void set_DUT(std::uint8_t v) { setU8(2, v); }
    std::string handset_serial() const { return text(3, kSerialWidth); }
    void set_handset_serial(std::string_view v) { setText(3, kSerialWidth, v); }
    std::string control_serial() const { return text(11, kSerialWidth); }
    void set_control_serial(std::string_view v) { setText(11, kSerialWidth, v); }
};

// Values of Te_Option_t::test_unit: the unit readings are shown in. Any other value
// a unit sends is kept as it came; each display falls back to its own default.
enum class TestUnit : std::uint8_t { PercentBac = 1, Promille = 2, MgPerL = 3, MgPer100ml = 5 };

struct Te_Option_t : ByteImage<10> {
    TestUnit test_unit() const { return TestUnit{u8(0)}; }
    void set_test_unit(TestUnit v) { setU8(0, static_cast<std::uint8_t>(v)); }
    std::uint8_t test_mode() const { return u8(1); }
    void set_test_mode(std::uint8_t v) { setU8(1, v); }
    std::uint8_t alarm_density() const { return u8(4); }
    void set_alarm_density(std::uint8_t v) { setU8(4, v); }
    std::uint8_t blow_amount() const { return u8(5); }
    void set_blow_amount(std::uint8_t v) { setU8(5, v); }
    std::uint16_t cal_fix_date() const { return le16(6); }
    void set_cal_fix_date(std::uint16_t v) { setLe16(6, v); }
    std::uint16_t service_fix_date() const { return le16(8); }
    void set_service_fix_date(std::uint16_t v) { setLe16(8, v); }
};

struct Te_Config_Data_t : ByteImage<19> {
    std::uint8_t retest_min() const { return u8(1); }
    void set_retest_min(std::uint8_t v) { setU8(1, v); }
    std::uint8_t retest_max() const { return u8(2); }
    void set_retest_max(std::uint8_t v) { setU8(2, v); }
    std::uint8_t multi_retest_min() const { return u8(3); }
    void set_multi_retest_min(std::uint8_t v) { setU8(3, v); }
    std::uint8_t multi_retest_max() const { return u8(4); }
    void set_multi_retest_max(std::uint8_t v) { setU8(4, v); }
    std::uint8_t first_blocking_time() const { return u8(5); }
    void set_first_blocking_time(std::uint8_t v) { setU8(5, v); }
    std::uint8_t second_blocking_time() const { return u8(6); }
    void set_second_blocking_time(std::uint8_t v) { setU8(6, v); }
    std::uint8_t early_service_recall() const { return u8(7); }
    void set_early_service_recall(std::uint8_t v) { setU8(7, v); }
    std::uint16_t start_period() const { return le16(8); }
    void set_start_period(std::uint16_t v) { setLe16(8, v); }
    std::uint16_t restart_period() const { return le16(10); }
    void set_restart_period(std::uint16_t v) { setLe16(10, v); }
    std::uint8_t lock_out() const { return u8(12); }
    void set_lock_out(std::uint8_t v) { setU8(12, v); }
    std::uint8_t lock_out_warning() const { return u8(13); }
    void set_lock_out_warning(std::uint8_t v) { setU8(13, v); }
    std::uint8_t circumvention_mode() const { return u8(14); }
    void set_circumvention_mode(std::uint8_t v) { setU8(14, v); }
    std::uint8_t log_type() const { return u8(17); }
    void set_log_type(std::uint8_t v) { setU8(17, v); }
    std::uint8_t quenlix_option() const { return u8(18); }
    void set_quenlix_option(std::uint8_t v) { setU8(18, v); }
};

struct Te_Service_t : ByteImage<13> {
    static constexpr std::size_t kPinDigits = 4;
    // Service time: year - 2000, month, day, hour, minute.
    std::uint8_t service_year() const { return u8(0); }
    std::uint8_t service_month() const { return u8(1); }
    std::uint8_t service_day() const { return u8(2); }
    std::uint8_t service_hour() const { return u8(3); }
    std::uint8_t service_minute() const { return u8(4); }
    void set_service_time(std::uint8_t year, std::uint8_t month, std::uint8_t day,
                          std::uint8_t hour, std::uint8_t minute) {
        setU8(0, year);
        setU8(1, month);
        setU8(2, day);
        setU8(3, hour);
        setU8(4, minute);
    }
    std::uint8_t service_kind() const { return u8(5); }
    void set_service_kind(std::uint8_t v) { setU8(5, v); }
    std::uint16_t Override_fix_H() const { return le16(7); }
    void set_Override_fix_H(std::uint16_t v) { setLe16(7, v); }
    // PIN digits as numbers 0 to 9, not characters.
    std::uint8_t PinCode(std::size_t digit) const { return u8(9 + digit); }
    void set_PinCode(std::size_t digit, std::uint8_t v) { setU8(9 + digit, v); }
};

struct Te_G_Sensor_t : ByteImage<5> {
    std::uint8_t Sensitivity() const { return u8(0); }
    void set_Sensitivity(std::uint8_t v) { setU8(0, v); }
};

// Info record: answered as TE_INFO.
struct InfoRecord : ByteImage<7> {
    std::uint8_t major() const { return u8(0); }
    std::uint8_t minor() const { return u8(1); }
    void set_version(std::uint8_t major, std::uint8_t minor) {
        setU8(0, major);
        setU8(1, minor);
    }
    std::uint32_t version() const { return static_cast<std::uint32_t>(major() * 256 + minor()); }
};

// Diagnosis record: answered as TE_DIAGNOSIS; kept as received.
struct DiagnosisRecord : ByteImage<24> {
    std::uint8_t Retest_Refuse() const { return u8(18); }
    std::uint8_t Retest_Fail() const { return u8(19); }
    std::uint8_t Starter_Test_Fail() const { return u8(20); }
    std::uint8_t StartWithoutApproved() const { return u8(21); }
    std::uint8_t NoPower() const { return u8(22); }
};

// Calibration status record: answered as RESPONSE_CAL_STATUS.
struct CalStatusRecord : ByteImage<7> {
    std::uint8_t test_status() const { return u8(0); }
    void set_test_status(std::uint8_t v) { setU8(0, v); }
};

// Calibration value record: answered as RESPONSE_CAL_VALUE, echoed with 0x16.
struct CalValueRecord : ByteImage<6> {
    std::uint16_t density() const { return be16(0); }
    void set_density(std::uint16_t v) { setBe16(0, v); }
    std::uint16_t use_count() const { return be16(2); }
    // The low byte of use_count is the calibration stage.
    std::uint8_t stage() const { return u8(3); }
    void set_stage(std::uint8_t v) { setU8(3, v); }
};

// Calibration request: mode (1 calibrate, 3 check), expected air pressure in hPa.
struct CalRequestRecord : ByteImage<3> {
    std::uint8_t mode() const { return u8(0); }
    void set_mode(std::uint8_t v) { setU8(0, v); }
    // START sets bit 0 (a calibration or a check was started); bit 1 marks a check.
    bool started() const { return (mode() & 0x01) != 0; }
    bool calibrates() const { return started() && (mode() & 0x02) == 0; }
    std::uint16_t pressure() const { return le16(1); }
    void set_pressure(std::uint16_t v) { setLe16(1, v); }
};

// Sent with 0x21 after each calibration status: 0, 0, year - 2000, month, day,
// hour, minute, second, 0, 0, 0 in UTC.
struct TimeAnswer : ByteImage<11> {};

// Sent with 0x5A: year - 2000, month, day, hour, minute, second in UTC.
struct ClockRecord : ByteImage<6> {};

// Whole record: answered as PC_WHOLE_READ (66 bytes), written with 0x85.
struct WholeRecord : ByteImage<66> {
    static constexpr std::size_t kIdentityAt = 0;
    static constexpr std::size_t kOptionAt = 19;
    static constexpr std::size_t kConfigAt = 29;
    static constexpr std::size_t kServiceAt = 48;
    static constexpr std::size_t kGSensorAt = 61;
    // The G-sensor part only travels to or from a control unit.
    static constexpr std::size_t sizeFor(std::uint8_t dut) {
        return dut == ENUM_DUT_CONTROLBOX ? 66 : 61;
    }
};

static_assert(sizeof(IdentityRecord) == 19 && sizeof(Te_Option_t) == 10 &&
                  sizeof(Te_Config_Data_t) == 19 && sizeof(Te_Service_t) == 13 &&
                  sizeof(Te_G_Sensor_t) == 5 && sizeof(InfoRecord) == 7 &&
                  sizeof(DiagnosisRecord) == 24 && sizeof(CalStatusRecord) == 7 &&
                  sizeof(CalValueRecord) == 6 && sizeof(WholeRecord) == 66,
              "records are packed byte images of their wire size");
static_assert(WholeRecord::kGSensorAt + Te_G_Sensor_t::size == WholeRecord::size);

} // namespace interlock
