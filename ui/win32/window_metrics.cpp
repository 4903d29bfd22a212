#include "window_metrics.h"

namespace quellmark::win32 {

namespace {

int Scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi);
}

}  // namespace

Geometry Scaled(const Geometry& geometry, UINT dpi) {
    return {Scaled(geometry.x, dpi), Scaled(geometry.y, dpi), Scaled(geometry.width, dpi),
            Scaled(geometry.height, dpi)};
}

SIZE WindowSizeFor(HWND window, SIZE client, UINT dpi) {
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return {Scaled(client.cx, dpi) + (outer.right - outer.left) - inner.right,
            Scaled(client.cy, dpi) + (outer.bottom - outer.top) - inner.bottom};
}

FontHandle CreateMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return FontHandle(nullptr);
    }
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace quellmark::win32
