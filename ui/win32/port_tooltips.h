#pragma once

#include <windows.h>

#include "port_list.h"

namespace quellmark::win32 {

// Tooltips on the entries of a drop-down list: while the list is open, the entry under the mouse
// shows what its port leads to, looked up each time the list opens, as adapters come and go.
class PortTooltips {
public:
    // For the list of `combo`; the tooltip control, owned by `owner`, is made when the list first
    // opens.
    void Attach(HWND combo, HWND owner, PortDescriber describe);
    // Call when the list is about to open.
    void OnDropDown();

private:
    void Create();
    void RemoveTools();

    HWND combo_ = nullptr;
    HWND owner_ = nullptr;
    HWND list_ = nullptr;
    HWND tooltip_ = nullptr;
    PortDescriber describe_;
};

}  // namespace quellmark::win32
