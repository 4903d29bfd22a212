#include "first_paint.h"

#include <cstdio>

namespace quellmark::bench {

namespace {

ULONGLONG Ticks(FILETIME time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Milliseconds since the creation of this process.
double SinceCreation() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    FILETIME created{};
    FILETIME unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    // FILETIME counts 100 ns steps.
    return static_cast<double>(Ticks(now) - Ticks(created)) / 1e4;
}

}  // namespace

void ReportFirstPaint(HWND window) {
    static bool reported = false;
    if (reported) {
        return;
    }
    reported = true;
    const double windowPainted = SinceCreation();
    // The controls are painted after their parent; the user sees the window once they are.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("first-paint-ms %.1f %.1f\n", windowPainted, SinceCreation());
    std::fflush(stdout);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace quellmark::bench
