#include "window_driver.h"

#include <commctrl.h>

#include "text_conversion.h"

namespace quellmark::test_support {

HWND WindowDriver::Control(win32::ControlId id) const {
    return GetDlgItem(window_, win32::IdOf(id));
}

std::string WindowDriver::Text(win32::ControlId id) const {
    return win32::ToUtf8(win32::WindowText(Control(id)));
}

RECT WindowDriver::ClientRect(win32::ControlId id) const {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int WindowDriver::Position(win32::ControlId slider) const {
    return static_cast<int>(SendMessageW(Control(slider), TBM_GETPOS, 0, 0));
}

void WindowDriver::Pump() const {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void WindowDriver::PressKey(WORD key, bool shift) const {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    Deliver(GetFocus(), WM_KEYDOWN, key, 1);
    Deliver(GetFocus(), WM_KEYUP, key, 0xC0000001);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void WindowDriver::Focus(win32::ControlId id) const {
    SetFocus(Control(id));
    Pump();
}

void WindowDriver::ClickAt(win32::ControlId id, POINT point) const {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    Deliver(id, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Deliver(id, WM_LBUTTONUP, 0, at);
}

void WindowDriver::Deliver(win32::ControlId id, UINT message, WPARAM wParam, LPARAM lParam) const {
    Deliver(Control(id), message, wParam, lParam);
}

// Posted, then taken from the queue by the loop, as input is.
void WindowDriver::Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(target, message, wParam, lParam);
    Pump();
}

}  // namespace quellmark::test_support
