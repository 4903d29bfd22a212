#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "element_table.h"
#include "fake_serial_port.h"
#include "form1.h"

namespace quellmark::testing {

// The window on a fake port, shown, with the ports described by `ports`.
struct ShownForm {
    explicit ShownForm(std::vector<std::string> ports = {})
        : describedPorts(std::move(ports)),
          form(std::unique_ptr<SerialPort>(fake), [this] { return describedPorts; }) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }

    HWND At(win32::ControlId id) const { return GetDlgItem(window, win32::IdOf(id)); }

    std::vector<std::string> describedPorts;
    FakeSerialPort* fake = new FakeSerialPort;  // owned by the window
    Form1 form;
    HWND window = form.Handle();
};

// Takes the thread's messages until `done` or `milliseconds` have passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// What a control shows on the screen now, one COLORREF per pixel, row by row.
struct Capture {
    explicit Capture(HWND control);

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};

}  // namespace quellmark::testing
