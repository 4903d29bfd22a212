#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "dpi_functions.h"
#include "window_table.h"

namespace quellmark::win32 {

constexpr UINT kDesignDpi = 96;

// Pixels at 96 dpi scaled to `dpi`.
ElementGeometry Scaled(const ElementGeometry& geometry, UINT dpi);

// The dpi of the system: that of every monitor where Windows has no per-monitor dpi.
UINT SystemDpi();

// The dpi of the monitor that `window` is on, as far as this Windows tells; else the system's.
UINT WindowDpi(HWND window, const DpiFunctions& functions = AvailableDpiFunctions());

// The outer size of a window of `style` and `exStyle` whose client area is `client` pixels at
// 96 dpi, scaled to `dpi`, with the frame Windows draws at that dpi.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, UINT dpi,
                   const DpiFunctions& functions = AvailableDpiFunctions());

// Where a window moved to a monitor of `dpi` goes: the rectangle Windows suggests where the frame
// follows the dpi (Windows 10 1607 and later). Before that the frame keeps the system dpi's size,
// which Windows' suggestion scales with the rest; there only its corner is taken.
RECT FrameForNewDpi(const RECT& suggested, SIZE client, DWORD style, DWORD exStyle, UINT dpi,
                    const DpiFunctions& functions = AvailableDpiFunctions());

// GetSystemMetrics' `index` (an edge, an icon size) at `dpi`.
int SystemMetric(int index, UINT dpi, const DpiFunctions& functions = AvailableDpiFunctions());

// Lets a per-monitor (v1) window's frame follow its dpi; the v2 awareness does that by itself.
// Called on WM_NCCREATE.
void EnableFrameScaling(HWND window, const DpiFunctions& functions = AvailableDpiFunctions());

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The system's message font at `dpi`.
FontHandle CreateMessageFont(UINT dpi, const DpiFunctions& functions = AvailableDpiFunctions());

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace quellmark::win32
