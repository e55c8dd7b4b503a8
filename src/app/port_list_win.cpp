// The port list on Windows: the COM ports of the registry's serial device map, each
// with the description and maker SetupAPI gives for it ("COM3 — USB Serial Port
// (FTDI)").
#include "app/port_list.h"
#include "app/port_names.h"

#include <windows.h>

#include <devguid.h>
#include <setupapi.h>

#include <map>
#include <utility>

namespace interlock {

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back();
    return out;
}

// The names of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in its order. A value
// too long for the buffers, or not a string, is passed over rather than ending the list.
std::vector<std::string> registryPortNames() {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        wchar_t data[64];
        DWORD nameLength = std::size(valueName);
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        if (data[0] != L'\0')
            names.push_back(utf8(data));
    }
    RegCloseKey(key);
    return names;
}

std::string deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t text[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(text),
                                           sizeof text - sizeof(wchar_t), nullptr))
        return {};
    return utf8(text);
}

std::string devicePortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64] = {};
    DWORD bytes = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? utf8(name) : std::string();
}

using Descriptions = std::map<std::string, std::pair<std::string, std::string>>;

// Description and maker of every present port and modem device, by its port name.
void addDescriptions(const GUID& deviceClass, Descriptions& out) {
    HDEVINFO devices = SetupDiGetClassDevsW(&deviceClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const std::string name = devicePortName(devices, device);
        if (!name.empty())
            out[name] = {deviceProperty(devices, device, SPDRP_DEVICEDESC),
                         deviceProperty(devices, device, SPDRP_MFG)};
    }
    SetupDiDestroyDeviceInfoList(devices);
}

} // namespace

std::vector<OfferedPort> systemPorts() {
    Descriptions descriptions;
    addDescriptions(GUID_DEVCLASS_PORTS, descriptions);
    addDescriptions(GUID_DEVCLASS_MODEM, descriptions);
    std::vector<OfferedPort> ports;
    for (const std::string& name : registryPortNames()) {
        const auto found = descriptions.find(name);
        ports.push_back({name, found == descriptions.end()
                                   ? name
                                   : portLabel(name, found->second.first, found->second.second)});
    }
    return ports;
}

bool comPortNames() {
    return true;
}

} // namespace interlock
