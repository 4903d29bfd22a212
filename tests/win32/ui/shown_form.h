#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "element_table.h"
#include "fake_serial_port.h"
#include "form1.h"
#include "text_conversion.h"

namespace quellmark::testing {

// The trackbar's class is registered here, as the program does it first thing.
inline const INITCOMMONCONTROLSEX kControls{sizeof(kControls),
                                            ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
[[maybe_unused]] inline const bool kControlsRegistered = InitCommonControlsEx(&kControls);

// The window on a fake port, shown, with the ports described by `ports`.
struct ShownForm {
    explicit ShownForm(std::vector<std::string> ports = {})
        : describedPorts(std::move(ports)),
          form(std::unique_ptr<SerialPort>(fake), [this] { return describedPorts; }) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }

    HWND At(win32::ControlId id) const { return GetDlgItem(window, win32::IdOf(id)); }
    std::string Text(win32::ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    void Press(win32::ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }

    std::vector<std::string> describedPorts;
    FakeSerialPort* fake = new FakeSerialPort;  // owned by the window
    Form1 form;
    HWND window = form.Handle();
};

}  // namespace quellmark::testing
