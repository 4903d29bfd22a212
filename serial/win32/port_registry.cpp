#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>

#include "port_descriptions.h"

namespace quellmark {

namespace {

// Registry strings need not end in a null, and may end in several.
std::wstring FromRegistry(std::wstring text) {
    text.erase(std::min(text.find(L'\0'), text.size()));
    return text;
}

std::vector<std::pair<std::wstring, std::wstring>> ReadSerialComm() {
    std::vector<std::pair<std::wstring, std::wstring>> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return ports;
    }
    DWORD longestName = 0;
    DWORD longestData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longestName, &longestData, nullptr, nullptr);
    for (DWORD index = 0;; ++index) {
        std::wstring name(longestName + 1, L'\0');
        std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
        DWORD nameLength = longestName + 1;
        DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataBytes) != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) {
            name.resize(nameLength);
            ports.emplace_back(FromRegistry(data), FromRegistry(name));
        }
    }
    RegCloseKey(key);
    return ports;
}

std::wstring FriendlyName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    DWORD bytes = 0;
    SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, nullptr, nullptr, 0,
                                      &bytes);
    std::wstring name(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(
            devices, &device, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<BYTE*>(name.data()),
            static_cast<DWORD>(name.size() * sizeof(wchar_t)), nullptr)) {
        return {};
    }
    return FromRegistry(name);
}

std::wstring PortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    const HKEY key =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring name(64, L'\0');
    DWORD bytes = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, L"PortName", nullptr, &type,
                                         reinterpret_cast<BYTE*>(name.data()), &bytes);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? FromRegistry(name) : std::wstring();
}

std::vector<std::pair<std::wstring, std::wstring>> ReadFriendlyNames() {
    std::vector<std::pair<std::wstring, std::wstring>> names;
    const HDEVINFO devices =
        SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) {
        return names;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        names.emplace_back(PortName(devices, device), FriendlyName(devices, device));
    }
    SetupDiDestroyDeviceInfoList(devices);
    return names;
}

}  // namespace

PortRegistry ReadPortRegistry() {
    return {ReadSerialComm(), ReadFriendlyNames()};
}

}  // namespace quellmark
