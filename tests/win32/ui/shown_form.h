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

struct FakePortOwner {
    FakeSerialPort* fake = new FakeSerialPort;  // owned by the window
};

// The window on a fake port, shown, with the ports described by `describePorts`.
struct ShownForm : FakePortOwner, test_support::ShownWindow {
    explicit ShownForm(PortDescriber describePorts = {})
        : ShownWindow(std::unique_ptr<SerialPort>(fake), std::move(describePorts)) {}
};

}  // namespace quellmark::testing
