#pragma once

#include "link/link_writer.h"
#include "link/receive_ring.h"
#include "link/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace interlock {

// dlg_enum: which page the page launcher opens next.
enum class PageRequest : std::int32_t {
    None = 0,
    SoftwareChange = 1,
    MainPart1 = 2,
    MainPart2 = 3,
    Test = 4,
};

// What the calibration's readings add up to, once one has failed or the last is in.
enum class CalVerdict : std::uint8_t { None = 0, Ok = 1, Fail = 2 };

// Where a calibration run stands: each reading is awaited while the unit warms up
// and measures, then done when its value arrives.
enum class CalStep : std::uint8_t {
    FirstReading = 0,
    FirstDone = 1,
    SecondReading = 2,
    SecondDone = 3,
    FinalReading = 4,
    FinalDone = 5,
};

// The firmware version this program was made for: any other one is told to the user.
inline constexpr std::uint8_t kKnownFirmwareMajor = 4;
inline constexpr std::uint8_t kKnownFirmwareMinor = 4;
// Firmware before this version (major * 256 + minor) logs events in the 8-byte format.
inline constexpr std::uint32_t kFirstTenByteLogFirmware = 0x0403;

// The one block of program-wide state. Everything runs on the GUI thread, so it is
// owned by the program and handed by reference to the link and the pages.
struct ProgramState {
    PageRequest dlg_enum = PageRequest::None;

    LinkWriter link;
    ReceiveRing ring;
    std::uint8_t rxIdleCount = 0;

    // Last copy of every device record.
    IdentityRecord identity;
    Te_Option_t option;
    Te_Config_Data_t config;
    Te_Service_t service;
    Te_G_Sensor_t gSensor;
    InfoRecord info;
    DiagnosisRecord diagnosis;
    CalStatusRecord calStatus;
    CalValueRecord calValue;
    CalRequestRecord calRequest;
    TimeAnswer timeAnswer;
    // The two bytes sent behind the switch byte of every diagnosis control request.
    std::array<std::uint8_t, 2> diagnosisControl{};

    // How many good answers of each response code arrived; pages that wait for a
    // read end their pause early when the count of the awaited code moves, and
    // pages that write learn from the NACK count whether a write was refused.
    std::array<std::uint32_t, 256> answersReceived{};
    // How often the line to the interlock was lost; a page that writes learns from it
    // whether its writes may not all have arrived.
    std::uint32_t linesLost = 0;

    bool identitySeen = false;
    bool identityWritten = false;
    bool fwUpdateMode = false;
    bool fwReceiveMode = false;
    std::int32_t fwTransferState = -1;
    bool versionCheckRequest = false;
    bool infoSeen = false;
    bool closeMenuRequest = false;
    // The calibration result page has closed: the interlock reboots, and once the
    // menus have closed the program closes too.
    bool closeProgramRequest = false;
    bool logDeleted = false;
    bool logDownload = false;

    // Calibration dialogue.
    CalStep calStep = CalStep::FirstReading;
    CalVerdict calVerdict = CalVerdict::None;
    std::uint8_t calVerdictTicks = 0;
    bool calCheckMode = false;
    std::string calFirstResult;
    std::string calSecondResult;
    std::string calValueText;
    std::uint16_t calDensity = 0;
    std::uint16_t calReference = 0;
    std::uint16_t calTenth = 0;

    // Local time minus UTC in seconds.
    std::int32_t localTimeOffset = 0;
    // Firmware version major * 256 + minor; selects the log record format.
    std::uint32_t Log_FW_Check = kFirstTenByteLogFirmware;
    // Set to 2 when an event log has been read; the timer shows the message at 1.
    std::uint8_t messageCountdown = 0;

    // Log download watchdog.
    std::uint32_t Log_Write_Packet_Cnt = 0;
    std::uint32_t lastLogPacketCount = 0;
    std::uint8_t logStallCount = 0;
};

} // namespace interlock
