#pragma once

#include <windows.h>

#include <string>

namespace quellmark {

// Why a port could not be opened, for people, from the system's error code: the system's words,
// and for a refused access that another program holds the device.
std::string OpenFailureReason(DWORD error);

}  // namespace quellmark
