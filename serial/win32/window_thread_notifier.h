#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace quellmark {

// A hidden top-level window of the thread that creates it. Post() may be called from any thread;
// it reaches `onNotice` on the creating thread through its message queue, so also while a modal
// loop (a message box, a window being moved) runs there; a notice still on its way when the
// notifier is destroyed reaches nothing. The system's broadcast of a serial port's removal, which
// reaches top-level windows only, goes to `onPortRemoved` with the port's name ("COM3").
class WindowThreadNotifier {
public:
    WindowThreadNotifier(std::function<void()> onNotice,
                         std::function<void(std::wstring_view port)> onPortRemoved);
    ~WindowThreadNotifier();
    WindowThreadNotifier(const WindowThreadNotifier&) = delete;
    WindowThreadNotifier& operator=(const WindowThreadNotifier&) = delete;

    void Post() const;
    // False when the system gave no window (under Wine without a display): nothing would arrive.
    bool CanNotify() const { return window_ != nullptr; }

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event, LPARAM data) const;

    std::function<void()> onNotice_;
    std::function<void(std::wstring_view)> onPortRemoved_;
    HWND window_ = nullptr;
};

}  // namespace quellmark
