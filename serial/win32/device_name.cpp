#include "device_name.h"

#include <windows.h>

#include <string_view>

namespace quellmark {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 10;
constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";

}  // namespace

std::wstring DeviceNameForPort(int number, const EnvironmentLookup& environment) {
    if (number < kFirstPort || number > kLastPort) {
        return {};
    }
    const std::wstring configured =
        environment((L"QUELLMARK_COM" + std::to_wstring(number)).c_str());
    // The device namespace prefix is what makes COM10 and above openable; it does no harm below.
    return configured.empty() ? std::wstring(kDeviceNamespace) + L"COM" + std::to_wstring(number)
                              : configured;
}

std::wstring SystemEnvironment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::wstring PortNameOf(const std::wstring& device) {
    return device.starts_with(kDeviceNamespace) ? device.substr(kDeviceNamespace.size()) : device;
}

}  // namespace quellmark
