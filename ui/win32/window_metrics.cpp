#include "window_metrics.h"

namespace quellmark::win32 {

namespace {

int Scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi);
}

}  // namespace

ElementGeometry Scaled(const ElementGeometry& geometry, UINT dpi) {
    return {Scaled(geometry.x, dpi), Scaled(geometry.y, dpi), Scaled(geometry.width, dpi),
            Scaled(geometry.height, dpi)};
}

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window, const DpiFunctions& functions) {
    if (functions.getDpiForWindow != nullptr) {
        return functions.getDpiForWindow(window);
    }
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (functions.getDpiForMonitor != nullptr &&
        SUCCEEDED(functions.getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                             kEffectiveDpi, &dpiX, &dpiY))) {
        return dpiY;
    }
    return SystemDpi();
}

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, UINT dpi,
                   const DpiFunctions& functions) {
    RECT frame{0, 0, Scaled(client.cx, dpi), Scaled(client.cy, dpi)};
    // Before Windows 10 the frame is drawn at the system dpi on every monitor.
    if (functions.adjustWindowRectExForDpi != nullptr) {
        functions.adjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT FrameForNewDpi(const RECT& suggested, SIZE client, DWORD style, DWORD exStyle, UINT dpi,
                    const DpiFunctions& functions) {
    if (functions.adjustWindowRectExForDpi != nullptr) {
        return suggested;
    }
    const SIZE size = WindowSizeFor(client, style, exStyle, dpi, functions);
    return {suggested.left, suggested.top, suggested.left + size.cx, suggested.top + size.cy};
}

int SystemMetric(int index, UINT dpi, const DpiFunctions& functions) {
    return functions.getSystemMetricsForDpi != nullptr
               ? functions.getSystemMetricsForDpi(index, dpi)
               : GetSystemMetrics(index);
}

void EnableFrameScaling(HWND window, const DpiFunctions& functions) {
    if (functions.enableNonClientDpiScaling != nullptr) {
        functions.enableNonClientDpiScaling(window);
    }
}

FontHandle CreateMessageFont(UINT dpi, const DpiFunctions& functions) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (functions.systemParametersInfoForDpi != nullptr) {
        if (!functions.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics),
                                                  &metrics, 0, dpi)) {
            return FontHandle(nullptr);
        }
    } else {
        // At the system dpi; the font is scaled from there.
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            return FontHandle(nullptr);
        }
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), SystemDpi());
    }
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace quellmark::win32
