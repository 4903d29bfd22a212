#include "window_thread_notifier.h"

#include <dbt.h>

#include <cstddef>
#include <cwchar>
#include <utility>

#include "window_procedure.h"

namespace quellmark {

namespace {

constexpr wchar_t kClassName[] = L"QuellmarkSerialNotifier";
constexpr UINT kNoticeMessage = WM_APP + 1;

void RegisterNotifierClass(WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    // A second port in the same program finds the class already there.
    RegisterClassExW(&windowClass);
}

}  // namespace

WindowThreadNotifier::WindowThreadNotifier(
    std::function<void()> onNotice, std::function<void(std::wstring_view port)> onPortRemoved)
    : onNotice_(std::move(onNotice)), onPortRemoved_(std::move(onPortRemoved)) {
    RegisterNotifierClass(
        &win32::WindowProcedure<WindowThreadNotifier, &WindowThreadNotifier::HandleMessage>);
    // Top-level, as device broadcasts skip message-only windows; never shown, and a tool window,
    // so that it has no place in the taskbar or the task switcher.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP, 0, 0,
                              0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

WindowThreadNotifier::~WindowThreadNotifier() {
    DestroyWindow(window_);
}

void WindowThreadNotifier::Post() const {
    PostMessageW(window_, kNoticeMessage, 0, 0);
}

LRESULT WindowThreadNotifier::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == kNoticeMessage) {
        onNotice_();
        return 0;
    }
    if (message == WM_DEVICECHANGE) {
        OnDeviceChange(wParam, lParam);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WindowThreadNotifier::OnDeviceChange(WPARAM event, LPARAM data) const {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (event != DBT_DEVICEREMOVECOMPLETE || header == nullptr ||
        header->dbch_devicetype != DBT_DEVTYP_PORT ||
        header->dbch_size < offsetof(DEV_BROADCAST_PORT_W, dbcp_name)) {
        return;
    }
    const auto* port = reinterpret_cast<const DEV_BROADCAST_PORT_W*>(header);
    // The name runs to the end of the structure, whose size the header gives.
    const std::size_t nameChars =
        (header->dbch_size - offsetof(DEV_BROADCAST_PORT_W, dbcp_name)) / sizeof(wchar_t);
    onPortRemoved_(std::wstring_view(port->dbcp_name, wcsnlen(port->dbcp_name, nameChars)));
}

}  // namespace quellmark
