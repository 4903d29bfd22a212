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

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    RECT frame{0, 0, Scaled(client.cx, dpi), Scaled(client.cy, dpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
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
