#include "window_thread_notifier.h"

#include <utility>

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

WindowThreadNotifier::WindowThreadNotifier(std::function<void(WPARAM tag)> onNotice)
    : onNotice_(std::move(onNotice)) {
    RegisterNotifierClass(&WindowProc);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowThreadNotifier::~WindowThreadNotifier() {
    DestroyWindow(window_);
}

void WindowThreadNotifier::Post(WPARAM tag) const {
    PostMessageW(window_, kNoticeMessage, tag, 0);
}

LRESULT CALLBACK WindowThreadNotifier::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == kNoticeMessage) {
        auto* notifier =
            reinterpret_cast<WindowThreadNotifier*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (notifier != nullptr) {
            notifier->onNotice_(wParam);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quellmark
