#pragma once

#include <windows.h>

namespace quellmark::bench {

// Prints, on the first call only, the milliseconds from the creation of this process to now as
// "first-paint-ms <value>" on standard output, flushed so that a waiting reader sees it at once.
// Then asks `window` to close, which ends the probe.
void ReportFirstPaint(HWND window);

}  // namespace quellmark::bench
