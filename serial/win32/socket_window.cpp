#include "socket_window.h"

#include <utility>

#include "window_procedure.h"
#include "winsock_api.h"

namespace quellmark {

namespace {

constexpr wchar_t kClassName[] = L"QuellmarkSocketWindow";
constexpr UINT kSocketMessage = WM_APP + 1;
constexpr UINT kNoticeMessage = WM_APP + 2;

}  // namespace

SocketWindow::SocketWindow(std::function<void(SOCKET, int, int)> onSocketEvent,
                           std::function<void()> onNotice)
    : onSocketEvent_(std::move(onSocketEvent)), onNotice_(std::move(onNotice)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &win32::WindowProcedure<SocketWindow, &SocketWindow::HandleMessage>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    // A second line in the same program finds the class already there.
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
}

SocketWindow::~SocketWindow() {
    DestroyWindow(window_);
}

bool SocketWindow::Watch(SOCKET socket) const {
    return Winsock().asyncSelect(socket, window_, kSocketMessage, FD_READ | FD_WRITE | FD_CLOSE) ==
           0;
}

void SocketWindow::Unwatch(SOCKET socket) const {
    Winsock().asyncSelect(socket, window_, 0, 0);
}

void SocketWindow::PostNotice() const {
    PostMessageW(window_, kNoticeMessage, 0, 0);
}

LRESULT SocketWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSocketMessage) {
        onSocketEvent_(SOCKET(wParam), WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
        return 0;
    }
    if (message == kNoticeMessage) {
        onNotice_();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quellmark
