#pragma once

#include "link/link_writer.h"
#include "link/receive_ring.h"
#include "link/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace interlock {

// Values of dlg_enum: which page the page launcher opens next.
enum DlgEnum : std::int32_t {
    DLG_NONE = 0,
    DLG_SOFTWARE_CHANGE = 1,
    DLG_MAIN_PART1 = 2,
    DLG_MAIN_PART2 = 3,
    DLG_TEST = 4,
};

// Calibration verdict values.
enum CalVerdict : std::uint8_t { VERDICT_NONE = 0, VERDICT_OK = 1, VERDICT_FAIL = 2 };

// The one block of program-wide state. Everything runs on the GUI thread, so it is
// owned by the main window and handed by reference to the link and the pages.
struct ProgramState {
    std::int32_t dlg_enum = DLG_NONE;

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
    // read end their pause early when the count of the awaited code moves.
    std::array<std::uint32_t, 256> answersReceived{};

    std::uint8_t identitySeen = 0;
    std::uint8_t identityWritten = 0;
    std::uint8_t fwUpdateMode = 0;
    std::uint8_t fwReceiveMode = 0;
    std::int32_t fwTransferState = -1;
    std::uint8_t versionCheckRequest = 0;
    std::uint8_t infoSeen = 0;
    std::uint8_t closeMenuRequest = 0;
    std::uint8_t logDeleted = 0;
    std::uint8_t logDownload = 0;

    // Calibration dialogue.
    std::uint8_t calStep = 0;
    std::uint8_t calVerdict = VERDICT_NONE;
    std::uint8_t calVerdictTicks = 0;
    std::uint8_t calCheckMode = 0;
    std::string calFirstResult;
    std::string calSecondResult;
    std::string calValueText;
    std::uint16_t calDensity = 0;
    std::uint16_t calReference = 0;
    std::uint16_t calTenth = 0;

    // Local time minus UTC in seconds.
    std::int32_t localTimeOffset = 0;
    // Firmware version major * 256 + minor; selects the log record format.
    std::uint32_t Log_FW_Check = 0x0403;
    // Set to 2 when an event log has been read; the timer shows the message at 1.
    std::uint8_t messageCountdown = 0;

    // Log download watchdog.
    std::uint32_t Log_Write_Packet_Cnt = 0;
    std::uint32_t lastLogPacketCount = 0;
    std::uint8_t logStallCount = 0;
};

} // namespace interlock
