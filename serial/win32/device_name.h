#pragma once

#include <string>

#include "port_list.h"

namespace quellmark {

// The system's name of port `number`: "COM3".
std::wstring SystemPortName(int number);

// The device behind port number 1..kPortCount: the one QUELLMARK_COM<n> names when set, else
// \\.\COM<n>. Empty for any other number.
std::wstring DeviceNameForPort(int number, const EnvironmentLookup& environment);

// This process's environment, in UTF-8.
std::string SystemEnvironment(const char* name);

// The name the system gives the port of `device` in device broadcasts: the device without the
// device namespace prefix ("COM3" for \\.\COM3).
std::wstring PortNameOf(const std::wstring& device);

}  // namespace quellmark
