#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "element_table.h"

namespace quellmark::win32 {

constexpr UINT kDesignDpi = 96;

// Pixels at 96 dpi scaled to `dpi`.
Geometry Scaled(const Geometry& geometry, UINT dpi);

// The outer size that gives `window` a client area of `client` pixels at 96 dpi, scaled to `dpi`,
// with the window's frame as it is now drawn.
SIZE WindowSizeFor(HWND window, SIZE client, UINT dpi);

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The system's message font at `dpi`.
FontHandle CreateMessageFont(UINT dpi);

}  // namespace quellmark::win32
