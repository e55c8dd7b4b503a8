#pragma once

#include <cstdint>

namespace interlock {

// Requests, PC to interlock.
namespace request {
inline constexpr std::uint8_t CalValueEcho = 0x16;
inline constexpr std::uint8_t TimeAnswer = 0x21;
inline constexpr std::uint8_t Connect = 0x40;
inline constexpr std::uint8_t ReadOption = 0x42;
inline constexpr std::uint8_t ReadConfig = 0x43;
inline constexpr std::uint8_t ReadLog = 0x44;
inline constexpr std::uint8_t ReadService = 0x45;
inline constexpr std::uint8_t ReadInfo = 0x46;
inline constexpr std::uint8_t Pairing = 0x47;
inline constexpr std::uint8_t ReadGSensor = 0x49;
inline constexpr std::uint8_t DeleteLog = 0x50;
inline constexpr std::uint8_t WriteIdentity = 0x51;
inline constexpr std::uint8_t WriteConfig = 0x55;
inline constexpr std::uint8_t WriteService = 0x56;
inline constexpr std::uint8_t WriteClock = 0x5A;
inline constexpr std::uint8_t WriteOption = 0x5B;
inline constexpr std::uint8_t WriteGSensor = 0x5C;
inline constexpr std::uint8_t Calibrate = 0x5D;
inline constexpr std::uint8_t DiagnosisControl = 0x5E;
inline constexpr std::uint8_t FirmwareLoader = 0x5F;
inline constexpr std::uint8_t FirmwareStart = 0x82;
inline constexpr std::uint8_t CalibrationEnd = 0x84;
inline constexpr std::uint8_t WholeWrite = 0x85;
inline constexpr std::uint8_t WholeRead = 0x86;
} // namespace request

// Responses, interlock to PC.
namespace response {
inline constexpr std::uint8_t RESPONSE_CAL_STATUS = 0x15;
inline constexpr std::uint8_t RESPONSE_CAL_VALUE = 0x16;
inline constexpr std::uint8_t TE_ID = 0x60;
inline constexpr std::uint8_t TE_ID_ALT = 0xBB;
inline constexpr std::uint8_t TE_OPTION = 0x62;
inline constexpr std::uint8_t TE_CONFIG_DATA = 0x63;
inline constexpr std::uint8_t TE_SERVICE = 0x64;
inline constexpr std::uint8_t TE_INFO = 0x65;
inline constexpr std::uint8_t TE_G_SENSOR = 0x67;
inline constexpr std::uint8_t TE_DIAGNOSIS = 0x68;
inline constexpr std::uint8_t PC_WHOLE_WRITE = 0x85;
inline constexpr std::uint8_t PC_WHOLE_READ = 0x86;
inline constexpr std::uint8_t ACK = 0xA0;
inline constexpr std::uint8_t NACK = 0xB0;
} // namespace response

// The response a read request is answered with, 0 when none is awaited.
constexpr std::uint8_t awaitedResponse(std::uint8_t requestCode) {
    switch (requestCode) {
    case request::Connect:
    case request::Pairing:
        return response::TE_ID;
    case request::ReadOption:
        return response::TE_OPTION;
    case request::ReadConfig:
        return response::TE_CONFIG_DATA;
    case request::ReadService:
        return response::TE_SERVICE;
    case request::ReadInfo:
        return response::TE_INFO;
    case request::ReadGSensor:
        return response::TE_G_SENSOR;
    case request::DiagnosisControl:
        return response::TE_DIAGNOSIS;
    case request::WholeRead:
        return response::PC_WHOLE_READ;
    case request::WholeWrite:
        return response::PC_WHOLE_WRITE;
    default:
        return 0;
    }
}

} // namespace interlock
