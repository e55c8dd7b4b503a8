#pragma once

#include <cstdint>

namespace interlock {

// The feature bits of the option record, as the interlock reads them.
inline constexpr std::uint8_t kOptionDriverChange = 0x01;
inline constexpr std::uint8_t kOptionDoorTrigger = 0x02;
inline constexpr std::uint8_t kOptionRetestAlarm = 0x04;
inline constexpr std::uint8_t kOptionAlarmRelay = 0x10;
inline constexpr std::uint8_t kOptionOverrideButton = 0x20;

} // namespace interlock
