#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <utility>

#include "fake_serial_port.h"
#include "shown_window.h"

namespace quellmark::testing {

// The trackbar's class is registered here, as the program does it first thing.
inline const INITCOMMONCONTROLSEX kControls{sizeof(kControls),
                                            ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
[[maybe_unused]] inline const bool kControlsRegistered = InitCommonControlsEx(&kControls);

// The window on a fake port, shown, with the ports described by `describePorts`.
struct ShownForm : test_support::ShownWindow {
    explicit ShownForm(PortDescriber describePorts = {}, FakeSerialPort* port = new FakeSerialPort)
        : ShownWindow(std::unique_ptr<SerialPort>(port), std::move(describePorts)), fake(port) {}
    FakeSerialPort* const fake;  // owned by the window
};

}  // namespace quellmark::testing
