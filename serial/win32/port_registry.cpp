#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>

#include "port_descriptions.h"
#include "system_library.h"

namespace quellmark {

namespace {

// The registry and SetupAPI, loaded when the ports are first described rather than as imports:
// the window's start-up has no use for them. A DLL or function that cannot be found leaves its
// member null.
struct PortApi {
    decltype(&RegOpenKeyExW) regOpenKeyEx = nullptr;
    decltype(&RegQueryInfoKeyW) regQueryInfoKey = nullptr;
    decltype(&RegEnumValueW) regEnumValue = nullptr;
    decltype(&RegQueryValueExW) regQueryValueEx = nullptr;
    decltype(&RegCloseKey) regCloseKey = nullptr;
    decltype(&SetupDiGetClassDevsW) getClassDevs = nullptr;
    decltype(&SetupDiEnumDeviceInfo) enumDeviceInfo = nullptr;
    decltype(&SetupDiGetDeviceRegistryPropertyW) getDeviceRegistryProperty = nullptr;
    decltype(&SetupDiOpenDevRegKey) openDevRegKey = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) destroyDeviceInfoList = nullptr;

    bool Complete() const {
        return regOpenKeyEx && regQueryInfoKey && regEnumValue && regQueryValueEx && regCloseKey &&
               getClassDevs && enumDeviceInfo && getDeviceRegistryProperty && openDevRegKey &&
               destroyDeviceInfoList;
    }
};

const PortApi& Api() {
    static const PortApi api = [] {
        using win32::FindFunction;
        PortApi found;
        const HMODULE advapi32 = win32::LoadSystemLibrary(L"advapi32.dll");
        FindFunction(advapi32, "RegOpenKeyExW", found.regOpenKeyEx);
        FindFunction(advapi32, "RegQueryInfoKeyW", found.regQueryInfoKey);
        FindFunction(advapi32, "RegEnumValueW", found.regEnumValue);
        FindFunction(advapi32, "RegQueryValueExW", found.regQueryValueEx);
        FindFunction(advapi32, "RegCloseKey", found.regCloseKey);
        const HMODULE setupapi = win32::LoadSystemLibrary(L"setupapi.dll");
        FindFunction(setupapi, "SetupDiGetClassDevsW", found.getClassDevs);
        FindFunction(setupapi, "SetupDiEnumDeviceInfo", found.enumDeviceInfo);
        FindFunction(setupapi, "SetupDiGetDeviceRegistryPropertyW",
                     found.getDeviceRegistryProperty);
        FindFunction(setupapi, "SetupDiOpenDevRegKey", found.openDevRegKey);
        FindFunction(setupapi, "SetupDiDestroyDeviceInfoList", found.destroyDeviceInfoList);
        return found;
    }();
    return api;
}

// Registry strings need not end in a null, and may end in several.
std::wstring FromRegistry(std::wstring text) {
    text.erase(std::min(text.find(L'\0'), text.size()));
    return text;
}

std::vector<std::pair<std::wstring, std::wstring>> ReadSerialComm(const PortApi& api) {
    std::vector<std::pair<std::wstring, std::wstring>> ports;
    HKEY key = nullptr;
    if (api.regOpenKeyEx(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                         &key) != ERROR_SUCCESS) {
        return ports;
    }
    DWORD longestName = 0;
    DWORD longestData = 0;
    api.regQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        &longestName, &longestData, nullptr, nullptr);
    for (DWORD index = 0;; ++index) {
        std::wstring name(longestName + 1, L'\0');
        std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
        DWORD nameLength = longestName + 1;
        DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        if (api.regEnumValue(key, index, name.data(), &nameLength, nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &dataBytes) != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) {
            name.resize(nameLength);
            ports.emplace_back(FromRegistry(data), FromRegistry(name));
        }
    }
    api.regCloseKey(key);
    return ports;
}

std::wstring FriendlyName(const PortApi& api, HDEVINFO devices, SP_DEVINFO_DATA& device) {
    DWORD bytes = 0;
    api.getDeviceRegistryProperty(devices, &device, SPDRP_FRIENDLYNAME, nullptr, nullptr, 0,
                                  &bytes);
    std::wstring name(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!api.getDeviceRegistryProperty(
            devices, &device, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<BYTE*>(name.data()),
            static_cast<DWORD>(name.size() * sizeof(wchar_t)), nullptr)) {
        return {};
    }
    return FromRegistry(name);
}

std::wstring PortName(const PortApi& api, HDEVINFO devices, SP_DEVINFO_DATA& device) {
    const HKEY key =
        api.openDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring name(64, L'\0');
    DWORD bytes = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = api.regQueryValueEx(key, L"PortName", nullptr, &type,
                                            reinterpret_cast<BYTE*>(name.data()), &bytes);
    api.regCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? FromRegistry(name) : std::wstring();
}

std::vector<std::pair<std::wstring, std::wstring>> ReadFriendlyNames(const PortApi& api) {
    std::vector<std::pair<std::wstring, std::wstring>> names;
    const HDEVINFO devices =
        api.getClassDevs(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) {
        return names;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; api.enumDeviceInfo(devices, index, &device); ++index) {
        names.emplace_back(PortName(api, devices, device), FriendlyName(api, devices, device));
    }
    api.destroyDeviceInfoList(devices);
    return names;
}

}  // namespace

PortRegistry ReadPortRegistry() {
    const PortApi& api = Api();
    if (!api.Complete()) {
        return {};
    }
    return {ReadSerialComm(api), ReadFriendlyNames(api)};
}

}  // namespace quellmark
