#pragma once

#include "link/program_state.h"
#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

enum class MainMenu { Part1, Part2 };

// Every command of the two main menus. The last two of PART 2 have no button on the
// original dialog.
enum class MenuCommand {
    Part1Diagnostics,
    Part1DeleteRecord,
    Part1Calibration,
    Part1Settings,
    Part1Pairing,
    Part1OptionalFeatures,
    Part1FirmwareUpdate,
    Part1PinCode,
    Part2Diagnostics,
    Part2Download,
    Part2Calibration,
    Part2Settings,
    Part2Pairing,
    Part2FirmwareUpdate,
    Part2OptionalFeatures,
    Part2Override,
};

// What a menu does once a command's page has returned.
enum class AfterPage {
    Nothing,
    RefreshLook,      // captions and enabling may have changed (log deleted)
    CloseIfRequested, // close the menu when the close-menu request is 1
};

// The log button's caption (DELETE RECORD or DOWNLOAD) and the FIRMWARE UPDATE
// enabling, both following the log-deleted flag.
struct MenuLook {
    std::string logCaption{};
    bool firmwareUpdateEnabled = false;
};

MenuLook menuLook(MainMenu menu, const ProgramState& state);

// First step of a menu's initialisation: dlg_enum back to 0. True when the
// FIRMWARE UPDATE page must open at once (firmware-update mode).
bool beginMenu(ProgramState& state);
// The FIRMWARE UPDATE page opened by beginMenu has returned.
void firmwareFirstReturned(ProgramState& state);
// Last step of the initialisation: the settling wait, then the info request.
void finishMenuInit(Requester& requester);

// Traces the command and sends the reads its page needs, with their waits. Empty
// when the page may open; else the message to show instead, naming the read a page
// that writes records back got no good answer to.
std::string runCommandReads(MenuCommand command, Requester& requester);
AfterPage afterPage(MenuCommand command);
// True when the menu closes after `command`'s page has returned.
bool closeMenuAfter(MenuCommand command, const ProgramState& state);

// What SOFTWARE CHANGE says of an interlock of another product line.
inline constexpr std::string_view kSoftwareMismatch =
    "The software version of your device is not matched with PC Program.";
inline constexpr std::string_view kSoftwareChangeCode = "SWCQXZ402715";
inline constexpr int kSoftwareChangeWaitMs = 3000;
inline constexpr int kSoftwareWriteWaitMs = 300;

struct SoftwareChangeVerdict {
    bool closePage = false;
    std::string message{}; // message box text, empty for none
    bool clearCode = false;
};

// SOFTWARE CHANGE page initialisation.
void beginSoftwareChange(ProgramState& state);
// "OK" on the SOFTWARE CHANGE page: with the right code the interlock is written to
// PART 2 and the page closes after 3 s.
SoftwareChangeVerdict softwareChangeOk(std::string_view code, Requester& requester);

// First label of the SOFTWARE page.
std::string softwareTargetText(const ProgramState& state);
// "OK" on the SOFTWARE page: writes the identity as held, then holds PART 2.
void softwareOk(Requester& requester);

} // namespace interlock
