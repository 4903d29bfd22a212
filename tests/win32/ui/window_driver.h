#pragma once

#include <windows.h>

#include <string>

#include "element_table.h"

namespace quellmark::test_support {

// Drives the window as a person does, through the same message path as the program's loop.
class WindowDriver {
public:
    explicit WindowDriver(HWND window) : window_(window) {}

    HWND Control(win32::ControlId id) const;
    std::string Text(win32::ControlId id) const;
    // The control's rectangle in the window's client area.
    RECT ClientRect(win32::ControlId id) const;
    int Position(win32::ControlId slider) const;

    // Delivers every waiting message as the program's loop does.
    void Pump() const;
    // A key pressed and released on the focused control, with Shift held if asked.
    void PressKey(WORD key, bool shift = false) const;
    void Focus(win32::ControlId id) const;
    // A left click at a point of the control's client area.
    void ClickAt(win32::ControlId id, POINT point) const;
    // Posts a message to the control and lets the loop deliver it, as input arrives.
    void Deliver(win32::ControlId id, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND window_;
};

}  // namespace quellmark::test_support
