#include "device_name.h"

#include <windows.h>

#include <string_view>

#include "text_conversion.h"

namespace quellmark {

namespace {

constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";

}  // namespace

std::wstring SystemPortName(int number) {
    return L"COM" + std::to_wstring(number);
}

std::wstring DeviceNameForPort(int number, const EnvironmentLookup& environment) {
    if (number < 1 || number > kPortCount) {
        return {};
    }
    const std::string configured = ConfiguredDevice(number, environment);
    // The device namespace prefix is what makes COM10 and above openable; it does no harm below.
    return configured.empty() ? std::wstring(kDeviceNamespace) + SystemPortName(number)
                              : win32::ToWide(configured);
}

std::string SystemEnvironment(const char* name) {
    const std::wstring wideName = win32::ToWide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), size));
    return win32::ToUtf8(value);
}

std::wstring PortNameOf(const std::wstring& device) {
    return device.starts_with(kDeviceNamespace) ? device.substr(kDeviceNamespace.size()) : device;
}

}  // namespace quellmark
