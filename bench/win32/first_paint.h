#pragma once

#include <windows.h>

namespace quellmark::bench {

// Call when `window` has painted itself. On the first call only, paints the controls of `window`
// that still wait for it, prints the milliseconds from the creation of this process to the call
// and to the controls painted as "first-paint-ms <window> <controls>" on standard output, flushed
// so that a waiting reader sees it at once, and asks `window` to close, which ends the probe.
void ReportFirstPaint(HWND window);

}  // namespace quellmark::bench
