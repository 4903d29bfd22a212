#pragma once

#include <functional>
#include <string>

namespace quellmark {

// Returns the value of an environment variable, or an empty string when it is not set.
using EnvironmentLookup = std::function<std::wstring(const wchar_t* name)>;

// The device behind port number 1..10: QUELLMARK_COM<n> when set, else \\.\COM<n>. Empty for any
// other number.
std::wstring DeviceNameForPort(int number, const EnvironmentLookup& environment);

std::wstring SystemEnvironment(const wchar_t* name);

// The name the system gives the port of `device` in device broadcasts: the device without the
// device namespace prefix ("COM3" for \\.\COM3).
std::wstring PortNameOf(const std::wstring& device);

}  // namespace quellmark
