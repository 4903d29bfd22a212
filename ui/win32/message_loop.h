#pragma once

#include <windows.h>

namespace quellmark::win32 {

// Hands one message taken from the queue to its window, with Tab, Enter and Space handled as in a
// dialog of `window`.
void DeliverMessage(HWND window, MSG& message);

// Delivers messages until `window` is gone. Returns the exit code carried by WM_QUIT, or 0.
int RunMessageLoop(HWND window);

}  // namespace quellmark::win32
