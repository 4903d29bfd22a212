#pragma once

#include <windows.h>

namespace quellmark::win32 {

// The window procedure of a window whose messages go to `Handle` of an object of `Owner`. The
// object is handed to CreateWindowExW as its creation parameter and is reached from WM_NCCREATE
// to WM_NCDESTROY, both included; the few messages before go to DefWindowProcW.
template <class Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return (owner->*Handle)(window, message, wParam, lParam);
}

}  // namespace quellmark::win32
