#pragma once

#include <windows.h>

#include <string>

namespace quellmark::win32 {

// The system's text for `error`, in the user's language, without its closing period and line
// break; "Systemfehler 5" when the system has none.
std::string SystemMessage(DWORD error);

}  // namespace quellmark::win32
