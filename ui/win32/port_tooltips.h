#pragma once

#include <windows.h>

#include "port_list.h"

namespace quellmark::win32 {

// Tooltips on the entries of a drop-down list: while the list is open, the entry under the mouse
// shows what its port leads to, looked up each time the list opens, as adapters come and go.
class PortTooltips {
public:
    // Creates the tooltip control, owned by `owner`, for the list of `combo`.
    void Attach(HWND combo, HWND owner, PortDescriber describe);
    // Call when the list is about to open.
    void OnDropDown();

private:
    void RemoveTools();

    HWND list_ = nullptr;
    HWND tooltip_ = nullptr;
    PortDescriber describe_;
};

}  // namespace quellmark::win32
