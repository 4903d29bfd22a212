#pragma once

#include <windows.h>

#include <dbt.h>

#include <string>
#include <utility>
#include <vector>

namespace quellmark::test_support {

// Sends WM_DEVICECHANGE with `event` for the serial port `name` to every top-level window of this
// thread, as the system's broadcast does.
inline void BroadcastPortEvent(WPARAM event, const std::wstring& name) {
    std::vector<BYTE> broadcast(sizeof(DEV_BROADCAST_PORT_W) + name.size() * sizeof(wchar_t));
    auto* port = reinterpret_cast<DEV_BROADCAST_PORT_W*>(broadcast.data());
    port->dbcp_size = DWORD(broadcast.size());
    port->dbcp_devicetype = DBT_DEVTYP_PORT;
    name.copy(port->dbcp_name, name.size());
    std::pair<WPARAM, LPARAM> message(event, reinterpret_cast<LPARAM>(port));
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            const auto& [event, header] = *reinterpret_cast<std::pair<WPARAM, LPARAM>*>(data);
            SendMessageW(window, WM_DEVICECHANGE, event, header);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&message));
}

}  // namespace quellmark::test_support
