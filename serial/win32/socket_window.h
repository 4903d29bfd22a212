#pragma once

#include <winsock2.h>

#include <functional>

namespace quellmark {

// A hidden message-only window of the thread that creates it, through which a socket's events
// and the owner's own notices reach that thread as calls, in its message loop. Whatever is still
// on its way when the window is destroyed reaches nothing.
class SocketWindow {
public:
    // `onSocketEvent` gets the socket, the event (FD_READ, FD_WRITE or FD_CLOSE) and its error.
    SocketWindow(std::function<void(SOCKET socket, int event, int error)> onSocketEvent,
                 std::function<void()> onNotice);
    ~SocketWindow();
    SocketWindow(const SocketWindow&) = delete;
    SocketWindow& operator=(const SocketWindow&) = delete;

    // False when the system gave no window (under Wine without a display): nothing would arrive.
    bool Exists() const { return window_ != nullptr; }
    // Makes `socket` non-blocking and sends its read, write and close events here. False, with
    // the reason in Winsock().lastError(), when it cannot.
    bool Watch(SOCKET socket) const;
    // Sends nothing more of `socket` here.
    void Unwatch(SOCKET socket) const;
    void PostNotice() const;

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(SOCKET, int, int)> onSocketEvent_;
    std::function<void()> onNotice_;
    HWND window_ = nullptr;
};

}  // namespace quellmark
