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

} // namespace
