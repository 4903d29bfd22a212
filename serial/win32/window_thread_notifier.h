#pragma once

#include <windows.h>

#include <functional>

namespace quellmark {

// A message-only window of the thread that creates it. Post() may be called from any thread; the
// tag it is given reaches `onNotice` on the creating thread through its message queue, so also
// while a modal loop (a message box, a window being moved) runs there.
class WindowThreadNotifier {
public:
    explicit WindowThreadNotifier(std::function<void(WPARAM tag)> onNotice);
    ~WindowThreadNotifier();
    WindowThreadNotifier(const WindowThreadNotifier&) = delete;
    WindowThreadNotifier& operator=(const WindowThreadNotifier&) = delete;

    void Post(WPARAM tag) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(WPARAM)> onNotice_;
    HWND window_ = nullptr;
};

}  // namespace quellmark
