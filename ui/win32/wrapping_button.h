#pragma once

#include <windows.h>

#include <commctrl.h>

namespace quellmark::win32 {

// Takes the NM_CUSTOMDRAW of a push button whose caption is wrapped at spaces onto as many lines
// as it needs. Multi-line system buttons break at every space on some systems, which cuts a
// three-word caption off; so the button, which tracks hover, press, focus and default itself, is
// drawn here in its current state as the system draws push buttons, with the caption wrapped.
LRESULT CustomDrawWrappingButton(const NMCUSTOMDRAW& draw);

}  // namespace quellmark::win32
