#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "system_library.h"
#include "window_metrics.h"

namespace quellmark {
namespace {

using win32::DpiFunctions;

// What the window's sizes come from, measured with the functions this Windows has and with the
// fewer that older systems have, at `dpi`.
std::vector<int> MeasuredAt(HWND window, UINT dpi, const DpiFunctions& functions) {
    LOGFONTW font{};
    GetObjectW(win32::CreateMessageFont(dpi, functions).get(), sizeof(font), &font);
    const SIZE frame = win32::WindowSizeFor({514, 491}, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0,
                                            dpi, functions);
    return {static_cast<int>(win32::WindowDpi(window, functions)),
            frame.cx,
            frame.cy,
            win32::SystemMetric(SM_CXEDGE, dpi, functions),
            win32::SystemMetric(SM_CXSMICON, dpi, functions),
            win32::SystemMetric(SM_CXICON, dpi, functions),
            static_cast<int>(font.lfHeight)};
}

// Where Windows has only part of the per-dpi functions, the system-dpi way stands in for the rest
// and gives the same at the system dpi, where both ways apply. The message font also follows
// another dpi. Moved to a monitor of another dpi, such a window keeps the suggested rectangle's
// corner with the size of a frame drawn at the system dpi (the window tests see the newer way).
TEST(DpiFunctions, OlderSystemsMeasureAsNewerOnesAtTheSystemDpi) {
    const DpiFunctions& available = win32::AvailableDpiFunctions();
    // Looked up by the program only where GetDpiForWindow is missing.
    decltype(DpiFunctions::getDpiForMonitor) getDpiForMonitor;
    win32::FindFunction(win32::LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor",
                        getDpiForMonitor);
    ASSERT_TRUE(available.getDpiForWindow && getDpiForMonitor &&
                available.adjustWindowRectExForDpi && available.getSystemMetricsForDpi &&
                available.systemParametersInfoForDpi && available.enableNonClientDpiScaling)
        << "this system has every one, so that the two ways can be compared";
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const UINT dpi = win32::SystemDpi();
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION;
    const RECT suggested{30, 40, 830, 840};
    RECT fixedFrame{0, 0, MulDiv(514, 144, 96), MulDiv(491, 144, 96)};
    AdjustWindowRectEx(&fixedFrame, kStyle, FALSE, 0);
    OffsetRect(&fixedFrame, 30 - fixedFrame.left, 40 - fixedFrame.top);
    const std::tuple<const char*, DpiFunctions> systems[] = {
        {"Windows 7", DpiFunctions{}},
        {"Windows 8.1", DpiFunctions{.getDpiForMonitor = getDpiForMonitor}},
    };
    for (const auto& [system, functions] : systems) {
        EXPECT_EQ(MeasuredAt(window, dpi, functions), MeasuredAt(window, dpi, available)) << system;
        // Scaled from the system dpi's height rather than from 96 dpi's: rounded differently.
        EXPECT_NEAR(MeasuredAt(window, 2 * dpi, functions).back(),
                    MeasuredAt(window, 2 * dpi, available).back(), 1)
            << system << ": message font at twice the dpi";
        const RECT frame = win32::FrameForNewDpi(suggested, {514, 491}, kStyle, 0, 144, functions);
        EXPECT_TRUE(EqualRect(&frame, &fixedFrame)) << system << ": moved to 144 dpi";
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace quellmark
