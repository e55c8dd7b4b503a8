#include "app/port_names.h"

#include <gtest/gtest.h>

using namespace interlock;

namespace {

TEST(PortNames, NumberIsReadFromTheFourthCharacterOn) {
    EXPECT_EQ(portNumberFromName("COM12"), 12u);
    EXPECT_EQ(portNumberFromName("COM1"), 1u);
    EXPECT_EQ(portNumberFromName("COM7x"), 7u);
    EXPECT_EQ(portNumberFromName("COM"), 0u);
    EXPECT_EQ(portNumberFromName("C"), 0u);
    EXPECT_EQ(portNumberFromName(""), 0u);
    EXPECT_EQ(portNumberFromName("COMx"), 0u);
}

TEST(PortNames, PortsFromTenOnOpenThroughTheDevicePath) {
    EXPECT_EQ(windowsPortPath(1), "COM1");
    EXPECT_EQ(windowsPortPath(9), "COM9");
    EXPECT_EQ(windowsPortPath(10), "\\\\.\\COM10");
    EXPECT_EQ(windowsPortPath(255), "\\\\.\\COM255");
}

TEST(PortNames, ListSortsAlphabeticallyIgnoringCase) {
    std::vector<std::string> names{"COM3", "com2", "COM10", "COM1"};
    sortLikeListBox(names);
    EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM10", "com2", "COM3"}));
}

TEST(PortNames, LabelShowsWhatTheSystemReportsAndNothingWhenItReportsNothing) {
    struct Case {
        const char* name;
        const char* description;
        const char* manufacturer;
        const char* label;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)"},
        {"/dev/ttyACM0", "USB Serial", "", "/dev/ttyACM0 \u2014 USB Serial"},
        {"/dev/ttyUSB1", "", "Prolific", "/dev/ttyUSB1 \u2014 Prolific"},
        {"/dev/ttyS0", "", "", "/dev/ttyS0"},
        {"/dev/ttyS1", "  ", "\t", "/dev/ttyS1"},
        {"COM3", " USB Serial Port \n", " FTDI ", "COM3 \u2014 USB Serial Port (FTDI)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(portLabel(c.name, c.description, c.manufacturer), c.label);
}

} // namespace
