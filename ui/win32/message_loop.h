#pragma once

#include <windows.h>

namespace quellmark::win32 {

// Delivers messages, with Tab, Enter and Space handled as in a dialog, until `window` is gone.
// Returns the exit code carried by WM_QUIT, or 0.
int RunMessageLoop(HWND window);

}  // namespace quellmark::win32
