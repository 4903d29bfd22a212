#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace quellmark {

// A hidden top-level window, made by the first CanNotify() on the thread that calls it (a window
// costs the program's start-up time; no notice is needed before a port opens). Post() may then be
// called from any thread; the tag it is given reaches `onNotice` on that thread through its
// message queue, so also while a modal loop (a message box, a window being moved) runs there. The
// system's broadcast of a serial port's removal, which reaches top-level windows only, goes to
// `onPortRemoved` with the port's name ("COM3").
class WindowThreadNotifier {
public:
    WindowThreadNotifier(std::function<void(WPARAM tag)> onNotice,
                         std::function<void(std::wstring_view port)> onPortRemoved);
    ~WindowThreadNotifier();
    WindowThreadNotifier(const WindowThreadNotifier&) = delete;
    WindowThreadNotifier& operator=(const WindowThreadNotifier&) = delete;

    void Post(WPARAM tag) const;
    // Makes the window if it is not there yet. False when the system gives none (under Wine
    // without a display): nothing would arrive.
    bool CanNotify();

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event, LPARAM data) const;

    std::function<void(WPARAM)> onNotice_;
    std::function<void(std::wstring_view)> onPortRemoved_;
    HWND window_ = nullptr;
};

}  // namespace quellmark
