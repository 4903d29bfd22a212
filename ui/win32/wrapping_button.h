#pragma once

#include <windows.h>

namespace quellmark::win32 {

// Draws an owner-drawn push button as the system draws push buttons, with its caption centred
// and wrapped at spaces onto as many lines as it needs. Multi-line system buttons break at every
// space on some systems, which cuts a three-word caption off.
void DrawWrappingButton(const DRAWITEMSTRUCT& item);

}  // namespace quellmark::win32
