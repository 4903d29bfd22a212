#include "message_loop.h"

namespace quellmark::win32 {

void DeliverMessage(HWND window, MSG& message) {
    if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int RunMessageLoop(HWND window) {
    MSG message{};
    while (IsWindow(window)) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result <= 0) {
            return result == 0 ? static_cast<int>(message.wParam) : 1;
        }
        DeliverMessage(window, message);
    }
    return 0;
}

}  // namespace quellmark::win32
